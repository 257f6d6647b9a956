#include "records/plain_reals.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

namespace rqo {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// Integers up to 2^24 and the powers of ten up to 10^10 are exact single-precision numbers, so
// one division of the one by the other is the correctly rounded quotient: the nearest float to
// the decimal, as the full reader's conversion gives.
constexpr std::uint32_t kExactMantissaLimit = std::uint32_t{1} << 24;
constexpr std::array<float, 11> kPowersOfTen{1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                             1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// Reads a plain decimal number at `pos`, leaving `pos` just past it; false when there is none
// or when it is not exact by one division.
bool plain_number(std::string_view record, std::size_t& pos, float& value) {
  const std::size_t n = record.size();
  std::size_t i = pos;
  const bool negative = i < n && record[i] == '-';
  if (i < n && (record[i] == '-' || record[i] == '+')) ++i;
  std::uint32_t mantissa = 0;
  std::size_t digits = 0, fraction_digits = 0;
  for (; i < n && record[i] >= '0' && record[i] <= '9'; ++i, ++digits) {
    mantissa = mantissa * 10 + static_cast<std::uint32_t>(record[i] - '0');
    if (mantissa > kExactMantissaLimit) return false;
  }
  if (i < n && record[i] == '.') {
    for (++i; i < n && record[i] >= '0' && record[i] <= '9'; ++i, ++digits, ++fraction_digits) {
      mantissa = mantissa * 10 + static_cast<std::uint32_t>(record[i] - '0');
      if (mantissa > kExactMantissaLimit) return false;
    }
  }
  if (digits == 0 || fraction_digits >= kPowersOfTen.size()) return false;
  const float magnitude = static_cast<float>(mantissa) / kPowersOfTen[fraction_digits];
  value = negative ? -magnitude : magnitude;
  pos = i;
  return true;
}

}  // namespace

bool read_plain_reals(std::string_view record, std::span<float* const> items) {
  constexpr std::size_t kMaxItems = 8;
  if (items.empty() || items.size() > kMaxItems) return false;
  std::array<float, kMaxItems> values;
  std::size_t pos = 0;
  for (std::size_t k = 0; k < items.size(); ++k) {
    while (pos < record.size() && is_blank(record[pos])) ++pos;
    if (!plain_number(record, pos, values[k])) return false;
    if (pos == record.size()) {
      if (k + 1 < items.size()) return false;  // the full reader reports the early end
      break;
    }
    const char next = record[pos];
    // Between values only blanks; whatever follows the last value's end is never looked at.
    if (!is_blank(next) && (k + 1 < items.size() || (next != ',' && next != '/'))) return false;
  }
  for (std::size_t k = 0; k < items.size(); ++k) *items[k] = values[k];
  return true;
}

}  // namespace rqo
