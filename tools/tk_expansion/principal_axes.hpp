#pragma once

#include <Eigen/Core>
#include <array>
#include <vector>

namespace tkx {

// Eigenvalues of a strain tensor and their unit eigenvectors (column i belongs to value i).
struct PrincipalStrains {
  Eigen::Vector3d values;
  Eigen::Matrix3d vectors;
};

// Ascending eigenvalues of the symmetric tensor.
PrincipalStrains principal_strains(const Eigen::Matrix3d& strain);

// The permutation p that maximises Σᵢ |reference_i · vectors_p(i)|; on a tie the first of
// (0,1,2), (0,2,1), (1,0,2), (1,2,0), (2,0,1), (2,1,0).
std::array<int, 3> matching_permutation(const Eigen::Matrix3d& reference,
                                        const Eigen::Matrix3d& vectors);

// Keeps the labels of row 1 (its ascending order) along the series: every later row is
// reordered to match row 1's eigenvectors, so an axis keeps its label when two principal
// strains cross. Row 0, the strain-free reference, is left as it is.
void track_axes(std::vector<PrincipalStrains>& rows);

// Direction of the Cartesian unit vector v in the crystal axes of the cell whose Cartesian
// matrix is `cell`: components along a, b, c, scaled to unit sum of squares, with the
// component of largest magnitude positive (the first of equal ones).
Eigen::Vector3d crystal_direction(const Eigen::Matrix3d& cell, const Eigen::Vector3d& v);

}  // namespace tkx
