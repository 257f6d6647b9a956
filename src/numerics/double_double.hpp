#pragma once

// Double-double arithmetic: a value held as the unevaluated sum hi + lo of two doubles, with
// |lo| at most half an ulp of hi, good to about 104 bits. Only additions, subtractions,
// multiplications and divisions of doubles are used (no fused multiply-add, no library call),
// so every platform with IEEE 754 double arithmetic gives the same bits.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace rqo::dd {

struct Value {
  double hi;
  double lo;
};

// a + b exactly, for any a and b.
constexpr Value two_sum(double a, double b) {
  const double sum = a + b;
  const double b_part = sum - a;
  const double error = (a - (sum - b_part)) + (b - b_part);
  return {sum, error};
}

// a + b exactly, for |a| >= |b| (or a == 0).
constexpr Value quick_two_sum(double a, double b) {
  const double sum = a + b;
  return {sum, b - (sum - a)};
}

// a * b exactly (Dekker's product over Veltkamp's split), barring overflow and underflow.
constexpr Value two_product(double a, double b) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double a_scaled = kSplitter * a;
  const double a_hi = a_scaled - (a_scaled - a);
  const double a_lo = a - a_hi;
  const double b_scaled = kSplitter * b;
  const double b_hi = b_scaled - (b_scaled - b);
  const double b_lo = b - b_hi;
  const double product = a * b;
  const double error = (((a_hi * b_hi - product) + a_hi * b_lo) + a_lo * b_hi) + a_lo * b_lo;
  return {product, error};
}

constexpr Value negate(Value a) {
  return {-a.hi, -a.lo};
}

constexpr Value add(Value a, Value b) {
  const Value high = two_sum(a.hi, b.hi);
  const Value low = two_sum(a.lo, b.lo);
  Value sum = quick_two_sum(high.hi, high.lo + low.hi);
  return quick_two_sum(sum.hi, sum.lo + low.lo);
}

constexpr Value subtract(Value a, Value b) {
  return add(a, negate(b));
}

constexpr Value multiply(Value a, Value b) {
  const Value product = two_product(a.hi, b.hi);
  return quick_two_sum(product.hi, product.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr Value multiply(Value a, double b) {
  const Value product = two_product(a.hi, b);
  return quick_two_sum(product.hi, product.lo + a.lo * b);
}

constexpr Value divide(Value a, double b) {
  const double first = a.hi / b;
  const Value rest = subtract(a, two_product(first, b));
  return quick_two_sum(first, rest.hi / b);
}

// 2^exponent, for an exponent from -1022 to 1023.
constexpr double power_of_two(int exponent) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(exponent + 1023) << 52);
}

// The polynomial with the given coefficients (lowest power first) at z, by Horner's rule. The
// terms from `exact_terms` on are small enough to be summed in plain double precision.
template <std::size_t N>
constexpr Value polynomial(const std::array<Value, N>& coefficients, std::size_t exact_terms,
                           Value z) {
  double tail = coefficients[N - 1].hi;
  for (std::size_t n = N - 1; n-- > exact_terms;) tail = tail * z.hi + coefficients[n].hi;
  Value sum{tail, 0.0};
  for (std::size_t n = exact_terms; n-- > 0;) sum = add(multiply(sum, z), coefficients[n]);
  return sum;
}

}  // namespace rqo::dd
