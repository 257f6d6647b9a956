#pragma once

#include <Eigen/Core>

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

}  // namespace tkx
