// Compares the fixed-point fields with those of a program built by gfortran, which rounds the
// exact binary value to d decimals, ties away from zero (ROUND='COMPATIBLE'), and shows no
// sign on a field of zeros (-fno-sign-zero). The two rules agree wherever a field needs at
// most nine significant digits (d + e <= 9, e the decimal exponent of the value); beyond that
// this system shows zeros after the ninth digit on purpose, so those fields are not compared.
// Infinity and NaN are not compared either: gfortran right-justifies them and spells out
// "Infinity" when the field is wide enough, whereas here they start in the first column.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "records/fixed_point.hpp"

namespace rqo {
namespace {

#ifdef RQO_FORTRAN_FIXED_REFERENCE

struct Descriptor {
  int width;
  int decimals;
};
// The order of the fields on each line of the reference program.
constexpr Descriptor kDescriptors[] = {{6, 2}, {8, 2}, {12, 5}, {15, 3}, {20, 5}, {4, 1}};

std::vector<std::uint32_t> sample_patterns() {
  std::vector<std::uint32_t> patterns;
  std::mt19937_64 generator(20240611);
  auto bits_of = [](float x) { return std::bit_cast<std::uint32_t>(x); };
  // Random bit patterns from about 1e-7 to 1e11, either sign.
  std::uniform_int_distribution<std::uint32_t> biased(127 - 24, 127 + 36);
  std::uniform_int_distribution<std::uint32_t> fraction(0, 0x7fffff);
  for (int i = 0; i < 60000; ++i) {
    const std::uint32_t sign = (generator() & 1) << 31;
    patterns.push_back(sign | (biased(generator) << 23) | fraction(generator));
  }
  // Decimal values with up to seven digits and up to six decimals, rounded to float.
  std::uniform_int_distribution<int> mantissa(-9'999'999, 9'999'999);
  std::uniform_int_distribution<int> scale(0, 6);
  for (int i = 0; i < 40000; ++i) {
    const std::string text =
        std::to_string(mantissa(generator)) + "e-" + std::to_string(scale(generator));
    patterns.push_back(bits_of(std::strtof(text.c_str(), nullptr)));
  }
  // Dyadic values n / 2^j: many are exact ties at the rounding digit.
  std::uniform_int_distribution<int> numerator(-2'000'000, 2'000'000);
  std::uniform_int_distribution<int> halvings(1, 12);
  for (int i = 0; i < 20000; ++i) {
    const float x =
        static_cast<float>(numerator(generator)) / static_cast<float>(1 << halvings(generator));
    patterns.push_back(bits_of(x));
  }
  // Values that round to a field of zeros, either sign, and the signed zeros.
  std::uniform_real_distribution<float> tiny(-0.06f, 0.06f);
  for (int i = 0; i < 5000; ++i) patterns.push_back(bits_of(tiny(generator)));
  patterns.push_back(0x00000000u);
  patterns.push_back(0x80000000u);
  return patterns;
}

int decimal_exponent(float x) {
  return leading_digits_reference(x).exponent;
}

TEST(FortranDifferential, FixedPointFieldsAgreeUpToNineSignificantDigits) {
  const std::vector<std::uint32_t> patterns = sample_patterns();
  ASSERT_GE(patterns.size(), 100000u);

  const std::string directory = ::testing::TempDir();
  const std::string input_name = directory + "/fixed_point_reference_in.txt";
  const std::string output_name = directory + "/fixed_point_reference_out.txt";
  {
    std::ofstream input(input_name);
    char line[16];
    for (std::uint32_t bits : patterns) {
      std::snprintf(line, sizeof line, "%08X\n", static_cast<unsigned>(bits));
      input << line;
    }
  }
  const std::string command = std::string("\"") + RQO_FORTRAN_FIXED_REFERENCE + "\" < \"" +
                              input_name + "\" > \"" + output_name + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  std::ifstream output(output_name);
  std::string line;
  std::size_t compared = 0;
  int failures = 0;
  for (std::uint32_t bits : patterns) {
    ASSERT_TRUE(std::getline(output, line)) << "reference output ends early";
    const float x = std::bit_cast<float>(bits);
    const bool zero = (bits & 0x7fffffffu) == 0;
    const int exponent = zero ? 0 : decimal_exponent(std::abs(x));
    std::size_t column = 0;
    for (const Descriptor& d : kDescriptors) {
      const std::string expected = line.substr(column, static_cast<std::size_t>(d.width));
      column += static_cast<std::size_t>(d.width);
      if (!zero && d.decimals + exponent > 9) continue;
      std::string actual(static_cast<std::size_t>(d.width), '?');
      render_fixed(actual.data(), x, d.width, d.decimals);
      ++compared;
      if (actual != expected && ++failures <= 20) {
        ADD_FAILURE() << "bits " << std::hex << bits << std::dec << " (" << std::hexfloat << x
                      << std::defaultfloat << ") under F" << d.width << "." << d.decimals
                      << ": expected [" << expected << "] actual [" << actual << "]";
      }
    }
  }
  RecordProperty("fields_compared", static_cast<int>(compared));
  EXPECT_EQ(failures, 0) << "of " << compared << " fields compared";
  EXPECT_GT(compared, 500000u);
  std::remove(input_name.c_str());
  std::remove(output_name.c_str());
}

#else

TEST(FortranDifferential, FixedPointFieldsAgreeUpToNineSignificantDigits) {
#ifdef _WIN32
  GTEST_SKIP() << "the Fortran reference is a program of the Linux build machine; the Linux "
                  "build compares with it";
#else
  GTEST_SKIP() << "gfortran was not found when the build was configured";
#endif
}

#endif

}  // namespace
}  // namespace rqo
