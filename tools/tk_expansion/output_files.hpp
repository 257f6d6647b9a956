#pragma once

#include <string>
#include <vector>

#include "expansion.hpp"
#include "series.hpp"
#include "strain.hpp"

namespace tkx {

struct OutputFile {
  std::string name;
  std::string contents;
};

// The six result files, complete in memory: the four tab-separated tables, the strain plot
// and the series for the web calculator. Every line ends with CR LF, like every other file
// the tool writes.
std::vector<OutputFile> output_files(const Series& series, const Expansion& expansion,
                                     const StrainSettings& settings);

// Writes every file beside its final name first and then renames it over that name, so no
// result file is ever left half-written. Throws std::runtime_error naming the file.
void write_files(const std::vector<OutputFile>& files);

}  // namespace tkx
