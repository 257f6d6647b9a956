#pragma once

#include <string>

#include "expansion.hpp"
#include "series.hpp"
#include "strain.hpp"

namespace tkx {

constexpr const char* kStrainPlotName = "TK_strain.pgf";

// The principal strains (%) against T as a plot file of three patterns, X1, X2 and X3, in the
// layout of the tool's other plot files, so the plotting program draws it.
std::string strain_plot(const Series& series, const Expansion& expansion,
                        const StrainSettings& settings);

// "Eulerian finite", "Lagrangian infinitesimal", ...
std::string strain_mode_text(const StrainSettings& settings);

}  // namespace tkx
