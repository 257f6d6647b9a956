#include "records/fixed_point.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iomanip>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include "records/fixed_point_rows.hpp"

namespace rqo {
namespace {

std::string fixed(float x, int width, int decimals) {
  std::string field(static_cast<std::size_t>(width), '?');
  render_fixed(field.data(), x, width, decimals);
  return field;
}

float from_bits(std::uint32_t bits) {
  return std::bit_cast<float>(bits);
}

using testing::FixedRow;

template <std::size_t N>
void check_rows(const FixedRow (&rows)[N]) {
  for (const FixedRow& row : rows) {
    EXPECT_EQ(fixed(row.value, row.width, row.decimals), row.expected)
        << "value " << std::hexfloat << row.value << std::defaultfloat << " ("
        << std::setprecision(12) << row.value << ") under F" << row.width << "." << row.decimals;
  }
}

TEST(FixedPoint, EdgeTable) {
  check_rows(testing::kFixedFieldEdgeCases);
}

TEST(FixedPoint, ZeroInfinityAndNaN) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const FixedRow rows[] = {
      {0.0f, 3, 2, ".00"},     {-0.0f, 3, 2, ".00"},     {0.0f, 2, 2, "**"},
      {0.0f, 4, 2, "0.00"},    {0.0f, 1, 0, "."},        {0.0f, 2, 0, "0."},
      {inf, 6, 2, "Inf   "},   {-inf, 6, 2, "-Inf  "},   {-inf, 4, 1, "-Inf"},
      {-inf, 3, 1, "***"},     {inf, 3, 1, "Inf"},       {inf, 2, 1, "**"},
      {nan, 8, 2, "NaN     "}, {-nan, 8, 2, "-NaN    "}, {from_bits(0x7f800001u), 5, 1, "NaN  "},
  };
  check_rows(rows);
}

TEST(FixedPoint, RoundingOfTheExactBinaryValue) {
  const FixedRow rows[] = {
      // Exact ties go away from zero.
      {0.625f, 4, 2, "0.63"},
      {-0.625f, 5, 2, "-0.63"},
      {2.5f, 2, 0, "3."},
      {-2.5f, 3, 0, "-3."},
      {0.5f, 2, 0, "1."},
      {0.25f, 3, 1, "0.3"},
      // The stored value decides, not the decimal that was typed: 1.005 is stored as
      // 1.00499999523..., 0.045 as 0.0450000017..., 0.055 as 0.0549999997...
      {1.005f, 4, 2, "1.00"},
      {0.045f, 4, 2, "0.05"},
      {0.055f, 4, 2, "0.05"},
      {9.995f, 5, 2, " 9.99"},
      // Carries that add an integer digit.
      {9.9951f, 5, 2, "10.00"},
      {999.9999f, 8, 3, "1000.000"},
      {0.9999f, 4, 2, "1.00"},
      {0.9999f, 3, 2, "***"},
      {-0.0009999f, 6, 3, "-0.001"},
      {0.00049999f, 6, 3, " 0.000"},
      {-99999.99f, 9, 2, "-99999.99"},
      // Nine significant digits, then zeros.
      {12345.6f, 8, 2, "12345.60"},
      {16777216.0f, 12, 3, "16777216.000"},
      {1.0e10f, 14, 2, "10000000000.00"},
      {0.1f, 15, 12, " 0.100000001000"},
      {0.1f, 20, 17, " 0.10000000100000000"},
      {1.0e38f, 50, 2, "         99999996800000000000000000000000000000.00"},
      {3.4028235e38f, 45, 2, "   340282347000000000000000000000000000000.00"},
      // 9.9999999982e-24: rounding at the ninth digit carries into the next power of ten.
      {from_bits(0x19416d9au), 40, 35, "   0.00000000000000000000001000000000000"},
      {from_bits(0x19416d9au), 40, 23, "               0.00000000000000000000001"},
      // Tiny values, down to the smallest subnormal.
      {1.0e-10f, 6, 2, "  0.00"},
      {1.0e-30f, 40, 35, "   0.00000000000000000000000000000100000"},
      {1.0e-30f, 40, 30, "        0.000000000000000000000000000001"},
      {from_bits(0x80000001u), 8, 4, "  0.0000"},
      {from_bits(0x00000001u), 50, 47, " 0.00000000000000000000000000000000000000000000140"},
      {from_bits(0x00000001u), 50, 46, "  0.0000000000000000000000000000000000000000000014"},
      {from_bits(0x80000001u), 50, 45, "  -0.000000000000000000000000000000000000000000001"},
  };
  check_rows(rows);
}

TEST(FixedPoint, TableRowWidthsAlwaysFillTheirColumns) {
  std::mt19937 generator(7);
  const int widths[][2] = {{6, 2}, {12, 5}, {15, 3}, {20, 5}, {4, 1}, {8, 2}};
  for (int i = 0; i < 20000; ++i) {
    const float x = from_bits(static_cast<std::uint32_t>(generator()));
    for (const auto& wd : widths) {
      const std::string field = fixed(x, wd[0], wd[1]);
      ASSERT_EQ(field.find('?'), std::string::npos)
          << std::hexfloat << x << " F" << wd[0] << "." << wd[1] << " -> [" << field << "]";
    }
  }
}

// The integer fast paths against the exact decimal expansion, over every binary exponent
// (both ends of each binade) and over random bit patterns.
TEST(LeadingDigits, MatchTheExactExpansion) {
  auto check = [](std::uint32_t bits) {
    const float x = from_bits(bits);
    const LeadingDigits fast = leading_digits(x);
    const LeadingDigits exact = leading_digits_reference(x);
    ASSERT_TRUE(fast.digits == exact.digits && fast.exponent == exact.exponent)
        << std::hexfloat << x << ": " << fast.digits << "e" << fast.exponent << " instead of "
        << exact.digits << "e" << exact.exponent;
  };
  for (std::uint32_t bits = 1; bits < 0x800000u; bits = bits * 2 + 1) check(bits);
  for (std::uint32_t biased = 1; biased < 255; ++biased) {
    check(biased << 23);
    check((biased << 23) | 0x7fffffu);
    check((biased << 23) | 0x400000u);
  }
  std::mt19937 generator(12345);
  for (int i = 0; i < 300000; ++i) {
    const std::uint32_t bits = static_cast<std::uint32_t>(generator()) & 0x7fffffffu;
    if (bits == 0 || bits >= 0x7f800000u) continue;
    check(bits);
  }
}

// Every positive finite float; opt-in (--gtest_also_run_disabled_tests), it takes long.
TEST(LeadingDigits, DISABLED_MatchTheExactExpansionForEveryFloat) {
  for (std::uint32_t bits = 1; bits < 0x7f800000u; ++bits) {
    const LeadingDigits fast = leading_digits(from_bits(bits));
    const LeadingDigits exact = leading_digits_reference(from_bits(bits));
    ASSERT_TRUE(fast.digits == exact.digits && fast.exponent == exact.exponent)
        << "bits " << std::hex << bits;
  }
}

}  // namespace
}  // namespace rqo
