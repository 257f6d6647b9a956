#pragma once

// A slow, exact Fw.d renderer used as the reference for the production one. It works on the
// decimal digits of floor(|x| * 10^(d+1)), computed with a small multi-limb integer of its own,
// and then applies the layout rules on a digit string, step by step. Header-only so that the
// unit tests, the fuzzers and the exhaustive checker share it.

#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace rqo::testing {

// Unsigned integer of up to 512 bits, little-endian 32-bit limbs, of which only the first
// `used_` can be non-zero. Only what the reference needs.
class SmallBigInt {
 public:
  explicit SmallBigInt(std::uint32_t value) : used_(1) { limbs_[0] = value; }

  void multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < used_; ++i) {
      const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
      limbs_[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0 && used_ < kLimbs) limbs_[used_++] = static_cast<std::uint32_t>(carry);
  }

  void shift_left(int bits) {
    const std::size_t whole = static_cast<std::size_t>(bits / 32);
    const int rest = bits % 32;
    const std::size_t new_used = used_ + whole + 1 < kLimbs ? used_ + whole + 1 : kLimbs;
    for (std::size_t i = new_used; i-- > 0;) {
      std::uint64_t wide = i >= whole ? std::uint64_t{limbs_[i - whole]} << rest : 0;
      if (i >= whole + 1 && rest > 0) wide |= limbs_[i - whole - 1] >> (32 - rest);
      limbs_[i] = static_cast<std::uint32_t>(wide);
    }
    used_ = new_used;
  }

  // Floor division by 2^bits.
  void shift_right(int bits) {
    const std::size_t whole = static_cast<std::size_t>(bits / 32);
    const int rest = bits % 32;
    for (std::size_t i = 0; i < used_; ++i) {
      const std::size_t from = i + whole;
      std::uint64_t wide = from < used_ ? limbs_[from] >> rest : 0;
      if (from + 1 < used_ && rest > 0) wide |= std::uint64_t{limbs_[from + 1]} << (32 - rest);
      limbs_[i] = static_cast<std::uint32_t>(wide);
    }
  }

  bool is_zero() const {
    for (std::size_t i = 0; i < used_; ++i)
      if (limbs_[i] != 0) return false;
    return true;
  }

  // Divides by `divisor` in place and returns the remainder.
  std::uint32_t divide(std::uint32_t divisor) {
    std::uint64_t remainder = 0;
    for (std::size_t i = used_; i-- > 0;) {
      const std::uint64_t current = (remainder << 32) | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    while (used_ > 1 && limbs_[used_ - 1] == 0) --used_;
    return static_cast<std::uint32_t>(remainder);
  }

  // Decimal digits without leading zeros ("" for zero).
  std::string decimal() const {
    SmallBigInt copy = *this;
    std::string reversed;
    while (!copy.is_zero()) {
      std::uint32_t chunk = copy.divide(1000000000U);
      const bool last = copy.is_zero();
      for (int i = 0; i < 9 && (!last || chunk != 0); ++i) {
        reversed += static_cast<char>('0' + chunk % 10);
        chunk /= 10;
      }
    }
    return std::string(reversed.rbegin(), reversed.rend());
  }

 private:
  static constexpr std::size_t kLimbs = 16;
  std::array<std::uint32_t, kLimbs> limbs_{};
  std::size_t used_;
};

// Decimal digits of floor(|x| * 10^scale) for a finite x ("" when that is zero). scale <= 60.
inline std::string scaled_decimal_digits(float x, int scale) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(x) & 0x7fffffffU;
  const std::uint32_t biased = bits >> 23;
  const std::uint32_t fraction = bits & 0x7fffffU;
  const std::uint32_t significand = biased == 0 ? fraction : (fraction | 0x800000U);
  const int power = biased == 0 ? -149 : static_cast<int>(biased) - 150;  // |x| = sig * 2^power
  SmallBigInt value(significand);
  for (int left = scale; left > 0; left -= 9) {
    std::uint32_t factor = 1;
    for (int i = 0; i < (left < 9 ? left : 9); ++i) factor *= 10;
    value.multiply(factor);
  }
  if (power >= 0) {
    value.shift_left(power);
  } else {
    value.shift_right(-power);
  }
  return value.decimal();
}

// x under Fw.d, from the exact value: at most nine significant digits, a tie (a 5 in the first
// dropped place) rounded away from zero, no sign on a field of zeros, Inf/NaN left-aligned,
// asterisks when the field is too narrow.
inline std::string exact_fixed(float x, int width, int decimals) {
  const std::string stars(static_cast<std::size_t>(width), '*');
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(x);
  const bool negative = (bits >> 31) != 0;
  const std::uint32_t magnitude = bits & 0x7fffffffU;

  if (magnitude >= 0x7f800000U) {
    std::string word = negative ? "-" : "";
    word += magnitude == 0x7f800000U ? "Inf" : "NaN";
    if (static_cast<int>(word.size()) > width) return stars;
    return word + std::string(static_cast<std::size_t>(width) - word.size(), ' ');
  }

  // All decimals and one more place: the first dropped digit decides the rounding.
  const std::string all = scaled_decimal_digits(x, decimals + 1);
  std::string digits;  // the significant digits shown, before the trailing zeros
  int exponent = 0;    // |x| = 0.d1d2... * 10^exponent
  if (!all.empty()) {
    exponent = static_cast<int>(all.size()) - (decimals + 1);
    int count = decimals + exponent < 9 ? decimals + exponent : 9;
    // all.size() = decimals + exponent + 1 > count, so the rounding digit exists.
    digits = all.substr(0, static_cast<std::size_t>(count));
    if (all[static_cast<std::size_t>(count)] >= '5') {
      int i = count - 1;
      while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
        digits[static_cast<std::size_t>(i)] = '0';
        --i;
      }
      if (i >= 0) {
        ++digits[static_cast<std::size_t>(i)];
      } else {
        ++exponent;
        if (count < 9) ++count;
        digits.assign(static_cast<std::size_t>(count), '0');
        digits[0] = '1';
      }
    }
  }
  // A value whose shown digits are all zero: no digit at all.
  if (digits.find_first_not_of('0') == std::string::npos) digits.clear();

  const bool sign = negative && !digits.empty();
  std::string body;  // digits before and after the point, without the point
  int integer_digits = 0;
  if (!digits.empty() && exponent >= 1) {
    integer_digits = exponent;
    body = digits;
    body.resize(static_cast<std::size_t>(exponent + decimals), '0');
  } else {
    if (!digits.empty()) body = std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    body.resize(static_cast<std::size_t>(decimals), '0');
  }
  const int needed = (sign ? 1 : 0) + integer_digits + 1 + decimals;
  if (needed > width) return stars;
  std::string text = sign ? "-" : "";
  if (integer_digits == 0 && width > needed) text += '0';
  text += body.substr(0, static_cast<std::size_t>(integer_digits));
  text += '.';
  text += body.substr(static_cast<std::size_t>(integer_digits));
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

}  // namespace rqo::testing
