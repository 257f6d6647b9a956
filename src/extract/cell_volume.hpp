#pragma once

#include "driver/run_table.hpp"

namespace rqo {

// Single-precision cosine of an angle in degrees.
float cosd(float degrees);

// Volume of the cell; angles that describe no real cell are replaced by their supplements in
// the caller's cell first.
void volume_calculation(Cell& cell, float& volume);

}  // namespace rqo
