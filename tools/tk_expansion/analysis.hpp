#pragma once

#include <Eigen/Core>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "geometry.hpp"
#include "series.hpp"

namespace tkx {

// y = intercept + slope·x by weighted least squares. slope_sigma is the heteroscedasticity-
// consistent standard error of the slope (White's HC0, no small-sample factor):
// var = Σ w²(x − x̄)² r² / Sxx², with x̄ and Sxx weighted and r the residuals.
struct LinearFit {
  double intercept = 0.0;
  double slope = 0.0;
  double slope_sigma = 0.0;

  double at(double x) const { return intercept + slope * x; }
};

// x, y and w of equal length; the weighted spread of x must not be zero.
LinearFit weighted_linear_fit(std::span<const double> x, std::span<const double> y,
                              std::span<const double> w);

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
