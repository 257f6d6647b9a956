#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "records/fixed_point.hpp"
#include "support/exact_fixed.hpp"

namespace rqo {
namespace {

using testing::exact_fixed;

std::string rendered(float x, int width, int decimals) {
  std::string field(static_cast<std::size_t>(width), '?');
  render_fixed(field.data(), x, width, decimals);
  return field;
}

// The reference itself must know the documented fields, or agreeing with it proves nothing.
TEST(FixedPointSample, ReferenceKnowsTheDocumentedFields) {
  struct Row {
    float value;
    int width, decimals;
    const char* expected;
  };
  const Row rows[] = {
      {150.0f, 6, 2, "150.00"},
      {-12.5f, 6, 2, "-12.50"},
      {1000.0f, 6, 2, "******"},
      {-0.0f, 12, 5, "     0.00000"},
      {12345.6f, 12, 5, " 12345.59960"},
      {123456789.0f, 20, 5, "     123456792.00000"},
      {1234.5678f, 15, 3, "       1234.568"},
      {0.125f, 5, 2, " 0.13"},
      {-0.004f, 6, 2, "  0.00"},
      {-0.006f, 6, 2, " -0.01"},
      {-0.5f, 4, 2, "-.50"},
      {-0.5f, 3, 2, "***"},
      {-0.05f, 4, 1, "-0.1"},
      {99.96f, 4, 1, "****"},
      {std::bit_cast<float>(0xff800000u), 12, 5, "-Inf        "},
      {std::bit_cast<float>(0x7fc00000u), 2, 1, "**"},
      {std::bit_cast<float>(0x00000001u), 12, 5, "     0.00000"},
      {std::bit_cast<float>(0x7f7fffffu), 50, 3,
       "       340282347000000000000000000000000000000.000"},
      {0.9999999f, 12, 5, "     1.00000"},
      {999999999.0f, 15, 3, " 1000000000.000"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(exact_fixed(row.value, row.width, row.decimals), row.expected)
        << "bits " << std::hex << std::bit_cast<std::uint32_t>(row.value) << std::dec << " F"
        << row.width << "." << row.decimals;
  }
}

// A million random bit patterns under the table's fields and a spread of other fields.
TEST(FixedPointSample, MillionRandomPatternsAgreeWithExactReference) {
  struct Field {
    int width, decimals;
  };
  const Field fields[] = {{12, 5}, {15, 3}, {6, 2}, {20, 5}, {8, 2}, {4, 1}};
  std::mt19937_64 random(20240314);
  // Half the patterns uniform over all 2^32, half with exponents near the fields' range.
  std::uniform_int_distribution<std::uint32_t> any;
  std::uniform_int_distribution<std::uint32_t> near_exponent(100, 160);
  int failures = 0;
  for (int i = 0; i < 1'000'000 && failures < 20; ++i) {
    std::uint32_t bits = any(random);
    if (i % 2 == 1) bits = (bits & 0x807fffffu) | (near_exponent(random) << 23);
    const float x = std::bit_cast<float>(bits);
    const Field& field = fields[static_cast<std::size_t>(i) % std::size(fields)];
    const std::string expected = exact_fixed(x, field.width, field.decimals);
    const std::string actual = rendered(x, field.width, field.decimals);
    if (actual != expected) {
      ++failures;
      ADD_FAILURE() << "bits " << std::hex << bits << std::dec << " F" << field.width << "."
                    << field.decimals << "\n  expected [" << expected << "]\n  actual   [" << actual
                    << "]";
    }
  }
}

}  // namespace
}  // namespace rqo
