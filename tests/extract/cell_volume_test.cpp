#include "extract/cell_volume.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "extract/cell_test_support.hpp"
#include "extract/degree_cosine.hpp"

namespace rqo {
namespace {

using test::describe;

struct VolumeCase {
  const char* what;
  Cell cell;
  float expected_volume;  // NaN: a NaN volume is expected
  float tolerance;        // 0: exact
  Cell expected_cell;     // the caller's cell afterwards (angles possibly supplemented)
};

TEST(CellVolume, ExamplesAndSupplementRule) {
  const float nan = std::nanf("");
  const VolumeCase cases[] = {
      {"cube", {10, 10, 10, 90, 90, 90}, 1000.0f, 0, {10, 10, 10, 90, 90, 90}},
      {"hexagonal", {12, 12, 7.5f, 90, 90, 120}, 935.307f, 0.01f, {12, 12, 7.5f, 90, 90, 120}},
      {"130 degrees supplemented",
       {5, 6, 7, 130, 130, 130},
       113.405f,
       0.01f,
       {5, 6, 7, 50, 50, 50}},
      {"100 degrees kept", {5, 6, 7, 100, 100, 100}, 199.120f, 0.01f, {5, 6, 7, 100, 100, 100}},
      {"120 degrees: test value exactly -1",
       {5, 6, 7, 120, 120, 120},
       0.0f,
       0,
       {5, 6, 7, 120, 120, 120}},
      {"still negative after rewrite", {5, 5, 5, 10, 10, 90}, nan, 0, {5, 5, 5, 170, 170, 90}},
      {"NaN angle does not qualify", {5, 6, 7, nan, 90, 90}, nan, 0, {5, 6, 7, nan, 90, 90}},
  };
  for (const VolumeCase& row : cases) {
    Cell cell = row.cell;
    float volume = -1;
    supplement_impossible_angles(cell);
    volume = cell_volume(cell);
    const bool volume_ok = std::isnan(row.expected_volume)
                               ? std::isnan(volume)
                               : std::abs(volume - row.expected_volume) <= row.tolerance;
    const auto same = [](float x, float y) {
      return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y) ||
             (std::isnan(x) && std::isnan(y));
    };
    const bool cell_ok =
        same(cell.a, row.expected_cell.a) && same(cell.b, row.expected_cell.b) &&
        same(cell.c, row.expected_cell.c) && same(cell.alpha, row.expected_cell.alpha) &&
        same(cell.beta, row.expected_cell.beta) && same(cell.gamma, row.expected_cell.gamma);
    EXPECT_TRUE(volume_ok && cell_ok)
        << row.what << ": input " << describe(row.cell) << "\n  expected volume "
        << row.expected_volume << " cell " << describe(row.expected_cell) << "\n  actual volume "
        << volume << " cell " << describe(cell);
  }
}

struct CosdCase {
  float degrees;
  std::uint32_t expected_bits;
};

// The product with the double nearest to pi/180 is rounded to double before the cosine, so
// cos_degrees(90) is the float nearest to cos(1.5707963267948966), not 0; cos_degrees(120) rounds
// to -0.5.
TEST(CellVolume, DegreeCosineRoundsAtTheStatedPoints) {
  const CosdCase cases[] = {
      {0.0f, std::bit_cast<std::uint32_t>(1.0f)},
      {60.0f, std::bit_cast<std::uint32_t>(0.5f)},
      {90.0f, std::bit_cast<std::uint32_t>(static_cast<float>(6.123233995736766e-17))},
      {120.0f, std::bit_cast<std::uint32_t>(-0.5f)},
      {180.0f, std::bit_cast<std::uint32_t>(-1.0f)},
  };
  for (const CosdCase& row : cases) {
    const float actual = cos_degrees(row.degrees);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(actual), row.expected_bits)
        << "cos_degrees(" << row.degrees << "): expected "
        << std::bit_cast<float>(row.expected_bits) << " actual " << actual;
  }
}

}  // namespace
}  // namespace rqo
