#pragma once

#include <cstdint>

namespace rqo {

// The first ten significant decimal digits of a positive finite float, truncated (not
// rounded): magnitude = 0.d1d2...d10... x 10^exponent, with digits = d1d2...d10 in
// [10^9, 10^10).
struct LeadingDigits {
  std::uint64_t digits;
  int exponent;
};

// Exact, from integer arithmetic on the binary value (64-bit or 128-bit, whichever fits);
// values below about 1e-35 take the exact decimal expansion of the standard library.
// `magnitude` must be positive and finite.
LeadingDigits leading_digits(float magnitude);

// The same from the standard library's exact decimal expansion (slow; the reference).
LeadingDigits leading_digits_reference(float magnitude);

// Renders x under Fw.d into exactly `width` characters at `out` (no terminator): the exact
// binary value, at most 9 significant digits then zeros, ties away from zero, no sign on a
// field of zeros, "Inf"/"NaN" left-aligned, asterisks when the field is too narrow.
// Allocates nothing.
void render_fixed(char* out, float x, int width, int decimals);

}  // namespace rqo
