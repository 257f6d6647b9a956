#pragma once

#include "numerics/estimate.hpp"

namespace rqo {

// Cosine of an angle in radians, the same bits on every platform. The argument is reduced
// exactly and the cosine evaluated in double-double arithmetic, about 100 bits good, then
// rounded once to double: the result is the double nearest to the true cosine (barring cases
// far rarer than any argument the cell arithmetic meets), as the GNU C library's cosine gives
// it. NaN arguments come back quiet, infinite ones give the default NaN.
double portable_cos(double radians);

// The cosine in plain double precision, with a bound on its distance from portable_cos, for
// |radians| up to 5 pi / 4 (the cell angles' range, 0 to 225 degrees); false beyond (and for
// NaN), where only portable_cos answers.
bool estimate_cos(double radians, Estimate& estimate);

}  // namespace rqo
