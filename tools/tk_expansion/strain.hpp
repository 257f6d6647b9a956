#pragma once

#include <Eigen/Core>

namespace tkx {

enum class StrainKind { Eulerian, Lagrangian };

struct StrainSettings {
  StrainKind kind = StrainKind::Eulerian;
  bool finite = true;
};

// Strain of the cell with Cartesian matrix `current` against the one with `reference`
// (columns a, b, c in one frame). With F = current · reference⁻¹, e = I − F⁻¹ (Eulerian) or
// F − I (Lagrangian); finite ε = ½(e + eᵀ + e·eᵀ), infinitesimal ε = ½(e + eᵀ). Positive is
// expansion. The finite Eulerian form is the one the standard expansion calculators report,
// not the textbook Almansi strain; the finite Lagrangian one, ½(F·Fᵀ − I), is the only mode
// whose principal strains do not depend on the Cartesian frame.
Eigen::Matrix3d strain_tensor(const Eigen::Matrix3d& reference, const Eigen::Matrix3d& current,
                              const StrainSettings& settings);

}  // namespace tkx
