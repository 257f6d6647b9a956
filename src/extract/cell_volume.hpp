#pragma once

#include "model/cell.hpp"

namespace rqo {

// Angles that describe no real cell (their cosines give a negative volume radicand) are
// replaced by their supplements, which keep the squared cosines and turn the sign of their
// product. A cell whose angles are possible, or whose test is NaN, is left as it is.
void supplement_impossible_angles(Cell& cell);

// Volume of the cell in cubic angstrom, rounded to single precision.
float cell_volume(const Cell& cell);

}  // namespace rqo
