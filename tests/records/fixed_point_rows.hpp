#pragma once

#include <bit>
#include <cstdint>

namespace rqo::testing {

// One field: a value, an Fw.d descriptor and the characters it must render as.
struct FixedRow {
  float value;
  int width;
  int decimals;
  const char* expected;
};

// The edge cases of a fixed-point field, one table for the renderer and for the exact
// reference it is checked against: sizes of the table and plot fields, rounding at the last
// digit, the optional leading zero, overflow, signs of zero, infinities and NaN.
inline const FixedRow kFixedFieldEdgeCases[] = {
    {150.0f, 6, 2, "150.00"},
    {4.5f, 6, 2, "  4.50"},
    {-12.5f, 6, 2, "-12.50"},
    {1000.0f, 6, 2, "******"},
    {0.0f, 12, 5, "     0.00000"},
    {-0.0f, 12, 5, "     0.00000"},
    {12345.6f, 12, 5, " 12345.59960"},
    {123456.789f, 20, 5, "        123456.78900"},
    {123456789.0f, 20, 5, "     123456792.00000"},
    {1234.5678f, 15, 3, "       1234.568"},
    {0.125f, 5, 2, " 0.13"},
    {0.375f, 4, 2, "0.38"},
    {-0.004f, 6, 2, "  0.00"},
    {-0.006f, 6, 2, " -0.01"},
    {0.5f, 4, 2, "0.50"},
    {-0.5f, 4, 2, "-.50"},
    {-0.5f, 3, 2, "***"},
    {1.0f, 4, 1, " 1.0"},
    {-1.0f, 4, 1, "-1.0"},
    {-0.04f, 4, 1, " 0.0"},
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

}  // namespace rqo::testing
