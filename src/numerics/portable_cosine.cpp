#include "numerics/portable_cosine.hpp"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "numerics/double_double.hpp"
#include "numerics/two_over_pi.hpp"

namespace rqo {

namespace {

constexpr dd::Value kHalfPi{0x1.921fb54442d18p0, 0x1.1a62633145c07p-54};
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;

// Taylor coefficients (-1)^n / (2n + offset)! for n = 0, 1, ...: offset 0 gives the cosine's
// series in z = r^2, offset 1 the sine's divided by r. 14 terms reach past 2^-105 for
// |r| <= pi/4; from the 8th on they are below 2^-40 of the sum and need no double-double.
constexpr std::size_t kTerms = 14;
constexpr std::size_t kExactTerms = 7;

constexpr std::array<dd::Value, kTerms> taylor_coefficients(int offset) {
  std::array<dd::Value, kTerms> c{};
  c[0] = {1.0, 0.0};
  for (std::size_t n = 1; n < kTerms; ++n) {
    const double k = static_cast<double>(2 * n + static_cast<std::size_t>(offset));
    c[n] = dd::negate(dd::divide(c[n - 1], (k - 1.0) * k));
  }
  return c;
}

constexpr auto kCosineSeries = taylor_coefficients(0);
constexpr auto kSineSeries = taylor_coefficients(1);

// An unsigned integer of 320 bits, least significant word first.
using Wide = std::array<std::uint64_t, 5>;

// hi:lo = a * b.
void multiply_words(std::uint64_t a, std::uint64_t b, std::uint64_t& hi, std::uint64_t& lo) {
  constexpr std::uint64_t kLow = 0xFFFFFFFFu;
  const std::uint64_t a0 = a & kLow, a1 = a >> 32, b0 = b & kLow, b1 = b >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t middle = (p00 >> 32) + (p01 & kLow) + (p10 & kLow);
  lo = (middle << 32) | (p00 & kLow);
  hi = p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32);
}

// The 64 bits of `value` from bit `first` upwards (bits below bit 0 are zeros).
std::uint64_t bits_from(const Wide& value, int first) {
  if (first < 0) return first <= -64 ? 0 : value[0] << -first;
  const auto word = static_cast<std::size_t>(first / 64);
  const int offset = first % 64;
  const std::uint64_t low = word < value.size() ? value[word] >> offset : 0;
  const std::uint64_t high =
      offset != 0 && word + 1 < value.size() ? value[word + 1] << (64 - offset) : 0;
  return low | high;
}

// 256 digits of 2/pi from digit `first` on (digit 1 is the first after the binary point), as
// an integer, least significant word first.
std::array<std::uint64_t, 4> two_over_pi_window(int first) {
  const auto word = static_cast<std::size_t>((first - 1) / 64);
  const int offset = (first - 1) % 64;
  std::array<std::uint64_t, 4> window{};
  for (std::size_t k = 0; k < 4; ++k) {
    const std::uint64_t high = kTwoOverPiBits[word + k] << offset;
    const std::uint64_t low = offset != 0 ? kTwoOverPiBits[word + k + 1] >> (64 - offset) : 0;
    window[3 - k] = high | low;
  }
  return window;
}

struct Reduced {
  unsigned quadrant;  // x = (quadrant + 4j) * pi/2 + r
  dd::Value r;        // |r| <= pi/4
};

// Exact reduction of a finite x > pi/4 by pi/2. With x = m * 2^e, only the digits of 2/pi
// from the (e-1)th on matter for x * 2/pi modulo 4; 256 of them leave the fraction good to
// 2^-190 of x, while it never comes closer to an integer than about 2^-62.
Reduced reduce(double x) {
  const auto bits = std::bit_cast<std::uint64_t>(x);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int exponent = static_cast<int>(bits >> 52) - 1075;
  const int first_digit = exponent - 1 > 1 ? exponent - 1 : 1;
  const auto window = two_over_pi_window(first_digit);

  Wide product{};  // mantissa * window; x * 2/pi = product / 2^point
  std::uint64_t carry = 0;
  for (std::size_t k = 0; k < window.size(); ++k) {
    std::uint64_t hi = 0, lo = 0;
    multiply_words(mantissa, window[k], hi, lo);
    lo += carry;
    product[k] = lo;
    carry = hi + (lo < carry ? 1 : 0);
  }
  product[4] = carry;
  const int point = first_digit + 255 - exponent;

  unsigned quadrant = static_cast<unsigned>(bits_from(product, point) & 3);
  const bool round_up = ((bits_from(product, point - 1) & 1) != 0);
  Wide fraction = product;
  if (round_up) {
    // 1 - fraction, as the two's complement below the point.
    ++quadrant;
    std::uint64_t borrow = 1;
    for (auto& word : fraction) {
      word = ~word + borrow;
      borrow = borrow != 0 && word == 0 ? 1 : 0;
    }
  }
  for (std::size_t k = 0; k < fraction.size(); ++k) {
    const int low_bit = static_cast<int>(k) * 64;
    if (low_bit >= point) {
      fraction[k] = 0;
    } else if (point - low_bit < 64) {
      fraction[k] &= (std::uint64_t{1} << (point - low_bit)) - 1;
    }
  }

  int length = 0;  // the fraction's bit length
  for (std::size_t k = fraction.size(); k-- > 0;) {
    if (fraction[k] != 0) {
      length = static_cast<int>(k) * 64 + 64 - std::countl_zero(fraction[k]);
      break;
    }
  }
  // The fraction's leading 128 bits, the first 53 in `lead`, the next 75 in `trail`.
  const std::uint64_t top = bits_from(fraction, length - 64);
  const std::uint64_t next = bits_from(fraction, length - 128);
  const double lead = static_cast<double>(top >> 11) * 0x1p11;
  const double trail = static_cast<double>(top & 0x7FF) + static_cast<double>(next >> 11) * 0x1p-53;
  const double scale = dd::power_of_two(length - 64 - point);
  dd::Value f = dd::quick_two_sum(lead, trail);
  f = {f.hi * scale, f.lo * scale};
  if (round_up) f = dd::negate(f);
  return {quadrant & 3, dd::multiply(f, kHalfPi)};
}

dd::Value cosine_near_zero(dd::Value r) {
  return dd::polynomial(kCosineSeries, kExactTerms, dd::multiply(r, r));
}

dd::Value sine_near_zero(dd::Value r) {
  return dd::multiply(dd::polynomial(kSineSeries, kExactTerms, dd::multiply(r, r)), r);
}

// The series cut off for the estimates: the first terms past them stay below 2^-58 for
// |r| <= 0.8.
constexpr std::size_t kEstimateTerms = 9;

// cos r and sin r in double precision, |r| <= 0.8, good to a few ulps.
double estimate_cosine_near_zero(double r) {
  const double z = r * r;
  double sum = kCosineSeries[kEstimateTerms - 1].hi;
  for (std::size_t n = kEstimateTerms - 1; n-- > 0;) sum = sum * z + kCosineSeries[n].hi;
  return sum;
}

double estimate_sine_near_zero(double r) {
  const double z = r * r;
  double sum = kSineSeries[kEstimateTerms - 1].hi;
  for (std::size_t n = kEstimateTerms - 1; n-- > 0;) sum = sum * z + kSineSeries[n].hi;
  return sum * r;
}

}  // namespace

bool estimate_cos(double radians, Estimate& estimate) {
  const double x = radians < 0 ? -radians : radians;
  if (!(x <= 3.9)) return false;  // beyond 5 pi / 4, or NaN
  constexpr dd::Value kPi{0x1.921fb54442d18p1, 0x1.1a62633145c07p-53};
  // Near a multiple of pi/2 the distance to it, the difference of the high parts exact
  // (Sterbenz), is good to 2^-53 of itself plus 2^-107.
  if (x <= 0.78) {
    estimate = estimate_of(estimate_cosine_near_zero(x));
  } else if (x <= 2.35) {
    estimate = estimate_of(estimate_sine_near_zero((kHalfPi.hi - x) + kHalfPi.lo));
  } else {
    estimate = estimate_of(-estimate_cosine_near_zero((kPi.hi - x) + kPi.lo));
  }
  return true;
}

double portable_cos(double radians) {
  if (!(radians - radians == 0.0)) return radians - radians;  // NaN or infinite
  const double x = radians < 0 ? -radians : radians;
  if (x <= kQuarterPi) return cosine_near_zero({x, 0.0}).hi;
  const Reduced reduced = reduce(x);
  switch (reduced.quadrant) {
    case 0:
      return cosine_near_zero(reduced.r).hi;
    case 1:
      return -sine_near_zero(reduced.r).hi;
    case 2:
      return -cosine_near_zero(reduced.r).hi;
    default:
      return sine_near_zero(reduced.r).hi;
  }
}

}  // namespace rqo
