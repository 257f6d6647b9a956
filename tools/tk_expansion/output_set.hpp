#pragma once

#include <string>
#include <vector>

namespace tkx {

struct OutputFile {
  std::string name;
  std::string contents;
};

// Writes every file beside its final name first and then renames it over that name, so no
// result file is ever left half-written. Throws std::runtime_error naming the file.
void write_files(const std::vector<OutputFile>& files);

}  // namespace tkx
