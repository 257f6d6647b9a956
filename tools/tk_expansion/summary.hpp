#pragma once

#include <string>
#include <vector>

#include "expansion.hpp"
#include "options.hpp"
#include "series.hpp"

namespace tkx {

// The readable report for standard output: settings, one line per principal axis and one for
// the volume, the warnings, and the files written.
std::string summary_text(const Series& series, const Expansion& expansion, const Options& options,
                         const std::vector<std::string>& file_names);

}  // namespace tkx
