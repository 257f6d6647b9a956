#pragma once

#include <bit>
#include <cstdint>

#include "numerics/estimate.hpp"

namespace rqo {

// Rounds a double-precision value to the nearest single-precision value. The rounding goes
// through a volatile store, so the compiler cannot drop it: GCC 12's vectorizer at -O2 has been
// seen to merge two neighbouring "(double)(float)x" conversions into nothing, which silently
// keeps double precision where the cell arithmetic must round.
inline float round_to_single(double value) {
  volatile float rounded = static_cast<float>(value);
  return rounded;
}

// When `round` (non-decreasing, to single precision) takes both ends of the estimate's bound to
// the same float, the full evaluation's result, lying between them, rounds to it as well:
// stores it and returns true. Otherwise (rarely: the result lies near a rounding boundary) the
// caller needs the full evaluation.
template <class Round>
bool round_estimate(const Estimate& estimate, Round round, float& result) {
  const float low = round(estimate.value - estimate.bound);
  const float high = round(estimate.value + estimate.bound);
  if (std::bit_cast<std::uint32_t>(low) != std::bit_cast<std::uint32_t>(high)) return false;
  result = low;
  return true;
}

}  // namespace rqo
