#pragma once

// The crystal geometry of one row and of a pair of rows: the Cartesian frame of a cell, its
// volume, the strain between two cells, its principal values and axes.
#include <Eigen/Core>
#include <array>
#include <cstddef>
#include <vector>

#include "series.hpp"

namespace tkx {

// Columns: the lattice vectors a, b, c in Cartesian coordinates with z ∥ c, x ∥ a* and
// y = z × x. The principal strains of every mode except the Lagrangian finite one depend, at
// second order, on this frame, so it is fixed here for the whole series.
Eigen::Matrix3d cartesian_matrix(const Cell& cell);

double cell_volume(const Cell& cell);

// True when the three angles lie strictly between 0° and 180° and close a cell that is not
// nearly flat.
bool angles_form_cell(const Cell& cell);

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

// Keeps the labels of the labelling row (its ascending order) along the series: every other
// row is reordered to match the labelling row's eigenvectors, so an axis keeps its label when
// two principal strains cross. The reference row, strain-free, is left as it is.
void track_axes(std::vector<PrincipalStrains>& rows, std::size_t reference, std::size_t labelling);

// Reorders `row` so that new i = old p(i).
void reorder(PrincipalStrains& row, const std::array<int, 3>& p);

// Direction of the Cartesian unit vector v in the crystal axes of the cell whose Cartesian
// matrix is `cell`: components along a, b, c, scaled to unit sum of squares, with the
// component of largest magnitude positive (the first of equal ones).
Eigen::Vector3d crystal_direction(const Eigen::Matrix3d& cell, const Eigen::Vector3d& v);

}  // namespace tkx
