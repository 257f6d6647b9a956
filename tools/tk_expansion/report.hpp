#pragma once

// Everything the program writes: the result files, complete in memory, and the summary on
// standard output.
#include <string>
#include <vector>

#include "analysis.hpp"
#include "geometry.hpp"
#include "options.hpp"
#include "output_set.hpp"
#include "series.hpp"

namespace tkx {

constexpr const char* kStrainPlotName = "TK_strain.pgf";

// The principal strains (%) against T as a plot file of three patterns, X1, X2 and X3, in the
// layout of the tool's other plot files, so the plotting program draws it.
std::string strain_plot(const Series& series, const Expansion& expansion,
                        const StrainSettings& settings);

// "Eulerian finite", "Lagrangian infinitesimal", ...
std::string strain_mode_text(const StrainSettings& settings);

// The six result files, complete in memory: the four tab-separated tables, the strain plot
// and the series for the web calculator. Every line ends with CR LF, like every other file
// the tool writes.
std::vector<OutputFile> output_files(const Series& series, const Expansion& expansion,
                                     const StrainSettings& settings);

// The readable report for standard output: settings, one line per principal axis and one for
// the volume, the warnings, and the files written.
std::string summary_text(const Series& series, const Expansion& expansion, const Options& options,
                         const std::vector<std::string>& file_names);

}  // namespace tkx
