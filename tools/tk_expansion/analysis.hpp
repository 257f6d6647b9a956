#pragma once

#include <Eigen/Core>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fits.hpp"
#include "geometry.hpp"
#include "series.hpp"

namespace tkx {

// How a series is analysed; the defaults are the standard calculator's method.
struct Settings {
  StrainSettings strain;
  FitSettings fit;
  std::optional<std::size_t> reference_row;  // 0-based; default the first row
  std::optional<double> reference_t;         // the row nearest this T is the reference
  std::optional<double> at;                  // T of the summary's expansivities (curved fits)
  bool cell_errors = false;                  // propagate the cells' uncertainties
  int draws = 2000;                          // Monte Carlo draws for cell_errors
};

inline constexpr int kDefaultDraws = 2000;

struct Expansivity {
  double alpha;  // MK⁻¹
  double sigma;  // MK⁻¹
};

// Everything the outputs show, per row in input order.
struct Expansion {
  std::vector<Eigen::Vector3d> strains;  // principal strains X1, X2, X3 (fractions)
  std::vector<Eigen::Vector3d> fitted_strains;
  std::vector<std::array<Eigen::Vector3d, 3>> directions;  // [u v w] of X1, X2, X3
  std::vector<double> volumes;                             // Å³
  std::vector<double> fitted_volumes;
  // The expansivities of X1, X2, X3 and V at each row's temperature (the fits' slopes).
  std::vector<std::array<Expansivity, 4>> rates;
  std::array<Expansivity, 3> axes{};
  Expansivity volume{};
  bool curved = false;            // a polynomial fit: the expansivities depend on T
  double summary_t = 0.0;         // with a curved fit, the T of axes and volume
  std::size_t reference_row = 0;  // the strain-free row all strains are taken against
  std::size_t labelling_row = 1;  // the row whose ascending order names X1, X2, X3
  std::size_t direction_row = 0;  // the row whose directions the summary gives
  // The fitted curves at evenly spaced temperatures over the data (curved fits only).
  std::vector<std::pair<double, Eigen::Vector3d>> curves;
  // The expansivity tensor (MK⁻¹) in the Cartesian frame of the strains, from the summary's
  // principal expansivities along the principal axes of the direction row, and the unit
  // vectors along a, b, c of that row (columns) in the same frame.
  Eigen::Matrix3d tensor = Eigen::Matrix3d::Zero();
  Eigen::Matrix3d crystal_axes = Eigen::Matrix3d::Identity();
  // With cell_errors: the spread of the summary's expansivities (X1, X2, X3, V) over the
  // Monte Carlo draws, and that combined with the fit's σ, √(σ_fit² + σ_cell²).
  bool cell_errors = false;
  int draws = 0;
  std::array<double, 4> sigma_cell{};
  std::array<double, 4> sigma_total{};
  std::vector<std::string> warnings;
};

// Principal strains of each row against the reference row, axes tracked from the labelling
// row, weighted fits against T (weights 1/σT) and the directions at the middle row. Throws
// InputError for a reference or a fit the series does not allow.
Expansion analyse(const Series& series, const Settings& settings);

}  // namespace tkx
