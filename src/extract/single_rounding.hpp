#pragma once

namespace rqo {

// Rounds a double-precision value to the nearest single-precision value. The rounding goes
// through a volatile store, so the compiler cannot drop it: GCC 12's vectorizer at -O2 has been
// seen to merge two neighbouring "(double)(float)x" conversions into nothing, which silently
// keeps double precision where the cell arithmetic must round.
inline float round_to_single(double value) {
  volatile float rounded = static_cast<float>(value);
  return rounded;
}

}  // namespace rqo
