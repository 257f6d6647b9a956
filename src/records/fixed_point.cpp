#include "records/fixed_point.hpp"

#include <array>
#include <bit>
#include <charconv>
#include <cstring>

namespace rqo {

namespace {

__extension__ typedef unsigned __int128 Uint128;

// Ten leading digits are enough: at most nine are shown, the tenth decides the rounding
// (a tie goes away from zero, so "5 or more" rounds up whatever follows).
constexpr int kLeadingCount = 10;
constexpr int kMaxShown = 9;
constexpr std::uint64_t kLeadingLimit = 10'000'000'000ULL;  // 10^10

constexpr std::array<std::uint64_t, 20> kPow10 = [] {
  std::array<std::uint64_t, 20> table{};
  std::uint64_t p = 1;
  for (auto& entry : table) {
    entry = p;
    p *= 10;
  }
  return table;
}();

// 5^s times a 24-bit significand fits 64 bits up to s = 17 and 128 bits up to s = 44.
constexpr int kMaxPow5For64 = 17;
constexpr int kMaxPow5For128 = 44;

constexpr std::array<Uint128, kMaxPow5For128 + 1> kPow5 = [] {
  std::array<Uint128, kMaxPow5For128 + 1> table{};
  Uint128 p = 1;
  for (auto& entry : table) {
    entry = p;
    p *= 5;
  }
  return table;
}();

Uint128 pow10_128(int s) {
  Uint128 p = 1;
  for (int i = 0; i < s; ++i) p *= 10;
  return p;
}

// floor(b * log10(2)) for |b| well beyond the float range.
int floor_log10_pow2(int b) {
  return (b * 78913) >> 18;
}

std::uint64_t shift_right_or_left(std::uint64_t value, int shift) {
  return shift >= 0 ? value >> shift : value << -shift;
}

void fill_asterisks(char* out, int width) {
  std::memset(out, '*', static_cast<std::size_t>(width));
}

void render_special(char* out, bool negative, bool is_nan, int width) {
  const char* word = is_nan ? "NaN" : "Inf";
  const int length = negative ? 4 : 3;
  if (width < length) {
    fill_asterisks(out, width);
    return;
  }
  std::memset(out, ' ', static_cast<std::size_t>(width));
  char* p = out;
  if (negative) *p++ = '-';
  std::memcpy(p, word, 3);
}

// "00" to "99", two characters each.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the `count` digits of `value` at `out` (value < 10^count), two at a time.
void write_digits(char* out, std::uint64_t value, int count) {
  for (; count >= 2; count -= 2) {
    const std::size_t pair = static_cast<std::size_t>(value % 100);
    value /= 100;
    std::memcpy(out + count - 2, &kDigitPairs[2 * pair], 2);
  }
  if (count == 1) out[0] = static_cast<char>('0' + value);
}

}  // namespace

LeadingDigits leading_digits_reference(float magnitude) {
  // 120 significant digits hold the whole exact expansion of every float.
  char text[160];
  const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(magnitude),
                                    std::chars_format::scientific, 120);
  std::uint64_t digits = 0;
  const char* p = text;
  int taken = 0;
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p == '.') continue;
    if (taken < kLeadingCount) {
      digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
      ++taken;
    }
  }
  int exponent = 0;
  std::from_chars(p + (p[1] == '+' ? 2 : 1), result.ptr, exponent);
  return {digits, exponent + 1};
}

LeadingDigits leading_digits(float magnitude) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(magnitude) & 0x7fffffffU;
  const std::uint32_t biased = bits >> 23;
  const std::uint32_t fraction = bits & 0x7fffffU;
  // magnitude = significand * 2^power exactly.
  const std::uint64_t significand = biased == 0 ? fraction : (fraction | 0x800000U);
  const int power = biased == 0 ? -149 : static_cast<int>(biased) - 150;

  // 2^b <= magnitude < 2^(b+1) places the decimal exponent at this candidate or one above.
  const int b = static_cast<int>(std::bit_width(significand)) - 1 + power;
  int exponent = floor_log10_pow2(b) + 1;
  const int scale = kLeadingCount - exponent;  // digits = floor(magnitude * 10^scale)

  std::uint64_t digits = 0;
  if (scale < 0) {
    // At least 10^10, so the value is an integer of up to 128 bits.
    const Uint128 value = static_cast<Uint128>(significand) << power;
    digits = static_cast<std::uint64_t>(value / pow10_128(-scale));
  } else if (power >= 0) {
    digits = (significand * kPow10[static_cast<std::size_t>(scale)]) << power;
  } else if (scale <= kMaxPow5For64) {
    // significand * 10^scale / 2^-power = significand * 5^scale * 2^(scale + power)
    const std::uint64_t product =
        significand * static_cast<std::uint64_t>(kPow5[static_cast<std::size_t>(scale)]);
    const int shift = -power - scale;
    if (shift >= 64) return leading_digits_reference(magnitude);
    digits = shift_right_or_left(product, shift);
  } else if (scale <= kMaxPow5For128) {
    const Uint128 product = significand * kPow5[static_cast<std::size_t>(scale)];
    const int shift = -power - scale;
    if (shift < 0 || shift >= 128) return leading_digits_reference(magnitude);
    digits = static_cast<std::uint64_t>(product >> shift);
  } else {
    return leading_digits_reference(magnitude);
  }
  if (digits >= kLeadingLimit) {
    digits /= 10;
    ++exponent;
  }
  if (digits < kLeadingLimit / 10) return leading_digits_reference(magnitude);
  return {digits, exponent};
}

void render_fixed(char* out, float x, int width, int decimals) {
  if (width <= 0) return;
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(x);
  const bool negative = (bits >> 31) != 0;
  const std::uint32_t magnitude_bits = bits & 0x7fffffffU;
  if (magnitude_bits >= 0x7f800000U) {
    render_special(out, negative, magnitude_bits > 0x7f800000U, width);
    return;
  }

  // The shown digits: `count` digits of `shown`, then zeros, the first `exponent` of them
  // before the decimal point. A zero value shows no digit at all.
  std::uint64_t shown = 0;
  int count = 0;
  int exponent = 0;
  if (magnitude_bits != 0) {
    const LeadingDigits lead = leading_digits(std::bit_cast<float>(magnitude_bits));
    exponent = lead.exponent;
    int n = decimals + exponent < kMaxShown ? decimals + exponent : kMaxShown;
    if (n >= 0) {
      const std::uint64_t unit = kPow10[static_cast<std::size_t>(kLeadingCount - n)];
      shown = lead.digits / unit;
      if ((lead.digits / (unit / 10)) % 10 >= 5) {
        ++shown;
        if (shown == kPow10[static_cast<std::size_t>(n)]) {
          ++exponent;
          if (n == kMaxShown) {
            shown /= 10;
          } else {
            ++n;
          }
        }
      }
      count = shown == 0 ? 0 : n;
    }
  }

  const bool sign = negative && count > 0;
  const int integer_digits = count > 0 && exponent > 0 ? exponent : 0;
  const int needed = (sign ? 1 : 0) + integer_digits + 1 + decimals;
  if (needed > width) {
    fill_asterisks(out, width);
    return;
  }
  const bool leading_zero = integer_digits == 0 && width > needed;
  const int used = needed + (leading_zero ? 1 : 0);
  char* p = out;
  std::memset(p, ' ', static_cast<std::size_t>(width - used));
  p += width - used;
  if (sign) *p++ = '-';
  if (leading_zero) *p++ = '0';

  // Digit positions run over integer digits then decimals; before the first shown digit
  // (a value below 1) and after the last one they are zeros.
  const int total = integer_digits + decimals;
  const int first = integer_digits > 0 ? 0 : -exponent + integer_digits;
  char digit_text[kMaxShown];
  write_digits(digit_text, shown, count);
  for (int position = 0; position < total; ++position) {
    if (position == integer_digits) *p++ = '.';
    const int index = position - first;
    *p++ = index >= 0 && index < count ? digit_text[index] : '0';
  }
  if (integer_digits == total) *p++ = '.';
}

}  // namespace rqo
