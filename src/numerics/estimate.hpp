#pragma once

namespace rqo {

// A double-precision evaluation of a function and how far the full evaluation's result may lie
// from it: |full - value| <= bound. When the caller's rounding takes value - bound and
// value + bound to the same number (its rounding being monotone), it takes the full result
// there too, and the full evaluation is not needed.
struct Estimate {
  double value;
  double bound;
};

// Every estimate is good to 2^-46 of its value (a few ulps of rounding, the series cut off
// below 2^-50, the argument's reduction exact to 2^-53) and claims 2^-40: wide enough to cover
// the rounding of value +- bound, narrow enough that only one argument in some 2^15 falls back.
inline constexpr double kEstimateRelativeBound = 0x1p-40;

inline Estimate estimate_of(double value) {
  return {value, (value < 0 ? -value : value) * kEstimateRelativeBound};
}

}  // namespace rqo
