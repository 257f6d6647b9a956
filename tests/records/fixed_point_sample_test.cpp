#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <string>

#include "records/fixed_point.hpp"
#include "records/fixed_point_rows.hpp"
#include "support/exact_fixed.hpp"

namespace rqo {
namespace {

using testing::exact_fixed;

std::string rendered(float x, int width, int decimals) {
  std::string field(static_cast<std::size_t>(width), '?');
  render_fixed(field.data(), x, width, decimals);
  return field;
}

// The reference itself must render the edge cases right, or agreeing with it proves nothing.
TEST(FixedPointSample, ReferenceRendersTheEdgeCases) {
  for (const testing::FixedRow& row : testing::kFixedFieldEdgeCases) {
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
