#include "principal_axes.hpp"

#include <Eigen/Eigenvalues>
#include <Eigen/LU>
#include <cmath>

namespace tkx {

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

void track_axes(std::vector<PrincipalStrains>& rows) {
  for (std::size_t n = 2; n < rows.size(); ++n) {
    const auto p = matching_permutation(rows[1].vectors, rows[n].vectors);
    const PrincipalStrains old = rows[n];
    for (int i = 0; i < 3; ++i) {
      rows[n].values(i) = old.values(p[i]);
      rows[n].vectors.col(i) = old.vectors.col(p[i]);
    }
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
