#pragma once

#include <Eigen/Core>
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "series.hpp"
#include "strain.hpp"

namespace tkx {

struct Expansivity {
  double alpha;  // MK⁻¹
  double sigma;  // MK⁻¹
};

// Everything the outputs show, per row in input order; row 0 is the strain reference.
struct Expansion {
  std::vector<Eigen::Vector3d> strains;  // principal strains X1, X2, X3 (fractions)
  std::vector<Eigen::Vector3d> fitted_strains;
  std::vector<std::array<Eigen::Vector3d, 3>> directions;  // [u v w] of X1, X2, X3
  std::vector<double> volumes;                             // Å³
  std::vector<double> fitted_volumes;
  std::array<Expansivity, 3> axes{};
  Expansivity volume{};
  std::size_t direction_row = 0;  // the row whose directions the summary gives
  std::vector<std::string> warnings;
};

// Principal strains of each row against row 0, tracked axes, weighted fits against T
// (weights 1/σT) and the directions at the middle row.
Expansion analyse(const Series& series, const StrainSettings& settings);

}  // namespace tkx
