#include "geometry.hpp"

#include <Eigen/Eigenvalues>
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

Eigen::Matrix3d strain_tensor(const Eigen::Matrix3d& reference, const Eigen::Matrix3d& current,
                              const StrainSettings& settings) {
  const Eigen::Matrix3d f = current * reference.inverse();
  const Eigen::Matrix3d identity = Eigen::Matrix3d::Identity();
  const Eigen::Matrix3d e = settings.kind == StrainKind::Eulerian
                                ? Eigen::Matrix3d(identity - f.inverse())
                                : Eigen::Matrix3d(f - identity);
  Eigen::Matrix3d symmetric = e + e.transpose();
  if (settings.finite) symmetric += e * e.transpose();
  return 0.5 * symmetric;
}

PrincipalStrains principal_strains(const Eigen::Matrix3d& strain) {
  const Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d> solver(strain);
  return {solver.eigenvalues(), solver.eigenvectors()};  // Eigen sorts them ascending
}

std::array<int, 3> matching_permutation(const Eigen::Matrix3d& reference,
                                        const Eigen::Matrix3d& vectors) {
  static constexpr std::array<std::array<int, 3>, 6> kPermutations = {
      {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
  const Eigen::Matrix3d overlap = (reference.transpose() * vectors).cwiseAbs();
  std::array<int, 3> best = kPermutations[0];
  double best_score = -1.0;
  for (const auto& p : kPermutations) {
    const double score = overlap(0, p[0]) + overlap(1, p[1]) + overlap(2, p[2]);
    if (score > best_score) {
      best_score = score;
      best = p;
    }
  }
  return best;
}

void reorder(PrincipalStrains& row, const std::array<int, 3>& p) {
  const PrincipalStrains old = row;
  for (int i = 0; i < 3; ++i) {
    row.values(i) = old.values(p[i]);
    row.vectors.col(i) = old.vectors.col(p[i]);
  }
}

void track_axes(std::vector<PrincipalStrains>& rows, std::size_t reference, std::size_t labelling) {
  for (std::size_t n = 0; n < rows.size(); ++n) {
    if (n == reference || n == labelling) continue;
    reorder(rows[n], matching_permutation(rows[labelling].vectors, rows[n].vectors));
  }
}

Eigen::Vector3d crystal_direction(const Eigen::Matrix3d& cell, const Eigen::Vector3d& v) {
  Eigen::Vector3d uvw = cell.inverse() * v;
  uvw.normalize();
  int largest = 0;
  for (int i = 1; i < 3; ++i) {
    if (std::abs(uvw(i)) > std::abs(uvw(largest))) largest = i;
  }
  if (uvw(largest) < 0.0) uvw = -uvw;
  return uvw;
}

}  // namespace tkx
