#include "records/plain_reals.hpp"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace rqo {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// Integers up to 2^24 and the powers of ten up to 10^10 are exact single-precision numbers, so
// one division of the one by the other is the correctly rounded quotient: the nearest float to
// the decimal, as the full reader's conversion gives.
constexpr std::uint64_t kExactMantissaLimit = std::uint64_t{1} << 24;
constexpr std::array<float, 11> kPowersOfTen{1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                             1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
// More digits than this could overflow the mantissa's 64 bits.
constexpr std::ptrdiff_t kMaxDigits = 19;

// The first byte at or after `p` other than a blank or a tab (or `end`). Blanks are passed eight
// at a time while eight bytes are left.
const char* skip_blanks(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020;
    for (; end - p >= 8; p += 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      if (const std::uint64_t differs = word ^ kEightBlanks; differs != 0) {
        p += std::countr_zero(differs) / 8;
        break;
      }
    }
  }
  while (p != end && is_blank(*p)) ++p;
  return p;
}

// Reads a plain decimal number at `p`, returning the position just past it; nullptr when there
// is none or when it is not exact by one division.
const char* plain_number(const char* p, const char* end, float& value) {
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  const char* const first = p;
  const char* point = nullptr;
  std::uint64_t mantissa = 0;
  for (; p != end; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
    } else if (*p == '.' && point == nullptr) {
      point = p;
    } else {
      break;
    }
  }
  const std::ptrdiff_t digits = (p - first) - (point != nullptr ? 1 : 0);
  const std::ptrdiff_t fraction_digits = point != nullptr ? p - point - 1 : 0;
  if (digits == 0 || digits > kMaxDigits || mantissa > kExactMantissaLimit ||
      fraction_digits >= std::ssize(kPowersOfTen))
    return nullptr;
  const float magnitude = static_cast<float>(mantissa) / kPowersOfTen[fraction_digits];
  value = negative ? -magnitude : magnitude;
  return p;
}

}  // namespace

bool read_plain_reals(std::string_view record, std::span<float* const> items) {
  constexpr std::size_t kMaxItems = 8;
  if (items.empty() || items.size() > kMaxItems) return false;
  std::array<float, kMaxItems> values;
  const char* p = record.data();
  const char* const end = p + record.size();
  for (std::size_t k = 0; k < items.size(); ++k) {
    p = skip_blanks(p, end);
    p = plain_number(p, end, values[k]);
    if (p == nullptr) return false;
    if (p == end) {
      if (k + 1 < items.size()) return false;  // the full reader reports the early end
      break;
    }
    // Between values only blanks; whatever follows the last value's end is never looked at.
    if (!is_blank(*p) && (k + 1 < items.size() || (*p != ',' && *p != '/'))) return false;
  }
  for (std::size_t k = 0; k < items.size(); ++k) *items[k] = values[k];
  return true;
}

}  // namespace rqo
