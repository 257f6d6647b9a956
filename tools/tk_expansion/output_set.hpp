#pragma once

#include <string>
#include <vector>

namespace tkx {

struct OutputFile {
  std::string name;
  std::string contents;
};

// Writes the files as one set: each is written beside its name first (name + ".part"); only
// when all are written are they put in place, each old file set aside (name + ".old") until
// the whole set is in place. If any step fails, the files already put in place are taken
// back and the old ones restored, so the folder holds the old set or the new one, never a
// mix. Throws std::runtime_error naming the file that failed.
void write_files(const std::vector<OutputFile>& files);

}  // namespace tkx
