#pragma once

#include "numerics/estimate.hpp"

namespace rqo {

// Arc cosine in radians, the same bits on every platform: evaluated in double-double
// arithmetic, about 100 bits good, and rounded once to double, so it is the double nearest to
// the true arc cosine as the GNU C library's gives it. NaN comes back quiet; an argument
// beyond -1..1 gives a quiet NaN.
double portable_acos(double x);

// The arc cosine in plain double precision, with a bound on its distance from portable_acos;
// false for arguments beyond -1..1 and NaN, where only portable_acos answers.
bool estimate_acos(double x, Estimate& estimate);

}  // namespace rqo
