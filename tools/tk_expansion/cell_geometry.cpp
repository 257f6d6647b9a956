#include "cell_geometry.hpp"

#include <Eigen/LU>
#include <cmath>
#include <numbers>

namespace tkx {

namespace {

// (V / abc)² below this is no crystal cell (V < 0.001 abc); it also keeps the boundary of
// the possible angles (α + β + γ = 360°, γ = α + β, ...) out, where rounding leaves a factor
// of about 1e-16 of either sign and the strains would be rounding noise.
constexpr double kFlattestCell = 1e-6;

double radians(double degrees) {
  return degrees * (std::numbers::pi / 180.0);
}

// 1 − cos²α − cos²β − cos²γ + 2 cos α cos β cos γ: (V / abc)².
double volume_factor(const Cell& cell) {
  const double ca = std::cos(radians(cell.alpha));
  const double cb = std::cos(radians(cell.beta));
  const double cg = std::cos(radians(cell.gamma));
  return 1.0 - ca * ca - cb * cb - cg * cg + 2.0 * ca * cb * cg;
}

}  // namespace

Eigen::Matrix3d cartesian_matrix(const Cell& cell) {
  const double alpha = radians(cell.alpha);
  const double beta = radians(cell.beta);
  const double gamma = radians(cell.gamma);
  const double cos_gamma_star =
      (std::cos(alpha) * std::cos(beta) - std::cos(gamma)) / (std::sin(alpha) * std::sin(beta));
  const double sin_gamma_star = std::sin(std::acos(cos_gamma_star));
  Eigen::Matrix3d a;
  a << cell.a * std::sin(beta) * sin_gamma_star, 0.0, 0.0,                       //
      -cell.a * std::sin(beta) * cos_gamma_star, cell.b * std::sin(alpha), 0.0,  //
      cell.a * std::cos(beta), cell.b * std::cos(alpha), cell.c;
  return a;
}

double cell_volume(const Cell& cell) {
  return cell.a * cell.b * cell.c * std::sqrt(volume_factor(cell));
}

bool angles_form_cell(const Cell& cell) {
  for (const double angle : {cell.alpha, cell.beta, cell.gamma}) {
    if (!(angle > 0.0 && angle < 180.0)) return false;
  }
  if (!(volume_factor(cell) > kFlattestCell)) return false;
  // A nearly flat cell can still leave cos γ* at ±1 after rounding, where the frame is undefined.
  const double determinant = cartesian_matrix(cell).determinant();
  return std::isfinite(determinant) && determinant > 0.0;
}

}  // namespace tkx
