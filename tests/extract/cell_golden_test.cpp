// Bit patterns computed by an independent double-precision implementation of the same cell
// arithmetic (a separate program, compiled without optimisation). Any change of operation
// order or of a rounding point shows up here as a different last bit.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <sstream>

#include "extract/cell_test_support.hpp"
#include "extract/cell_volume.hpp"
#include "extract/transform_cell.hpp"

namespace rqo {
namespace {

using test::describe;

std::uint32_t bits(float x) {
  return std::bit_cast<std::uint32_t>(x);
}

std::array<std::uint32_t, 6> bits_of(const Cell& c) {
  return {bits(c.a), bits(c.b), bits(c.c), bits(c.alpha), bits(c.beta), bits(c.gamma)};
}

std::string hex(const std::array<std::uint32_t, 6>& values) {
  std::ostringstream out;
  out << std::hex << std::uppercase;
  for (std::uint32_t v : values) out << v << " ";
  return out.str();
}

struct TransformGolden {
  std::array<float, 9> matrix;
  Cell cell;
  std::array<std::uint32_t, 6> expected;
};

TEST(CellGolden, TransformMatchesReferenceBitForBit) {
  const TransformGolden cases[] = {
      {{-0.965123773f, 0.554647207f, -0.127576947f, 1.03715992f, -0.162507176f, 0.230091572f,
        0.83803916f, 0.773821592f, -1.28778791f},
       {54.8822899f, 32.355545f, 2.45215654f, 30.8581161f, 150.053345f, 137.848877f},
       {0x428625BB, 0x4271B251, 0x4208470E, 0x41F6F922, 0x430E11F0, 0x432CEB16}},
      {{-0.342595935f, -1.51332092f, -1.93960464f, 0.574786663f, 1.63590074f, -0.216142178f,
        1.15751481f, -1.69470012f, -1.33920336f},
       {10.0015841f, 19.4543705f, 5.69097042f, 109.74826f, 157.528107f, 65.8792725f},
       {0x41E15254, 0x420CA780, 0x41F7EBDF, 0x430794AB, 0x41A49F83, 0x431ABA99}},
      {{1.66180182f, -1.79098666f, 0.726365805f, 0.317886829f, -0.362972498f, -0.0780149698f,
        -1.11148667f, -1.91316414f, 1.34120011f},
       {23.0436058f, 46.8274765f, 25.4314156f, 132.247498f, 108.495483f, 153.848999f},
       {0x42FEE269, 0x41B8D98B, 0x42CBDB2E, 0x42375FF2, 0x41FB5110, 0x41382AAB}},
      {{-0.532946229f, 1.33047676f, -1.48502898f, -0.515472293f, -1.21153271f, -1.83778691f,
        -1.91641724f, 0.218685865f, 0.534175873f},
       {27.6235275f, 29.2384644f, 43.7927589f, 38.8148041f, 68.3641891f, 48.255146f},
       {0x42311A56, 0x42EBBFB5, 0x423E256A, 0x42AF36B8, 0x42C9E3FC, 0x42134897}},
      {{2, -2, 0, 3, 0, 2, 1, -3, 0},
       {15.4926643f, 37.7945824f, 55.3009682f, 40.494751f, 37.4730873f, 131.449631f},
       {0x42C5BBCE, 0x43162CC3, 0x42F85DE9, 0x42CC920E, 0x410387FD, 0x42B3035B}},
      {{-1, 3, 1, -3, 0, 2, -2, 1, 1},
       {32.2731209f, 14.5247126f, 52.0929184f, 45.758297f, 135.078156f, 175.185562f},
       {0x42ECAEE8, 0x4339C741, 0x42F31E6F, 0x40BA4B6D, 0x3F9DBAA7, 0x40B7726B}},
      {{-3, 0, -1, -3, -1, -3, -3, 0, 1},
       {46.9306641f, 41.2711296f, 24.5111675f, 66.1979752f, 112.157822f, 71.5767975f},
       {0x43057DE3, 0x431EE39A, 0x4317BE87, 0x4236B909, 0x41932883, 0x41E2F3D5}},
      // Rows 1 and 3 antiparallel, with the rounded cosine exactly -1: 180 degrees, no error.
      {{-1, 1, 2, -3, -1, 2, 1, -1, -2},
       {31.6553154f, 54.83918f, 28.3879013f, 54.1399803f, 120.992447f, 159.39505f},
       {0x42FCD5E9, 0x42AC1A2F, 0x42FCD5E9, 0x431F4478, 0x43340000, 0x41A5DC39}},
  };
  for (const TransformGolden& row : cases) {
    TransformMatrix matrix;
    for (std::size_t k = 0; k < 9; ++k) matrix.m[k / 3][k % 3] = row.matrix[k];
    std::ostringstream diagnostics;
    ErrorPolicy policy(diagnostics);
    Cell cell = row.cell;
    transform_cell(matrix, cell, policy, test::kTestPlace);
    EXPECT_EQ(bits_of(cell), row.expected)
        << "matrix " << describe(matrix) << " cell " << describe(row.cell) << "\n  expected "
        << hex(row.expected) << "\n  actual   " << hex(bits_of(cell)) << " " << describe(cell);
    EXPECT_EQ(policy.count(Condition::AcosArgument), 0);
  }
}

struct VolumeGolden {
  Cell cell;
  std::uint32_t volume;
  std::array<std::uint32_t, 3> angles;  // the angles afterwards (supplemented or not)
};

TEST(CellGolden, VolumeMatchesReferenceBitForBit) {
  const VolumeGolden cases[] = {
      {{1.49490964f, 18.1986408f, 7.2802186f, 71.9764404f, 54.1692581f, 144.697388f},
       0x42AD337D,
       {0x42D80C10, 0x42FBA957, 0x420D35E0}},
      {{40.9355469f, 44.4949341f, 47.6585274f, 107.224991f, 31.422739f, 65.7398224f},
       0x47201BA4,
       {0x42918CCE, 0x431493C7, 0x42E48536}},
      {{48.801178f, 42.2549248f, 6.66214323f, 87.3202515f, 39.9731102f, 74.9095535f},
       0x46010B54,
       {0x42AEA3F8, 0x421FE477, 0x4295D1B1}},
      {{54.8822899f, 32.355545f, 2.45215654f, 30.8581161f, 150.053345f, 137.848877f},
       0x448B5BB3,
       {0x41F6DD6C, 0x43160DA8, 0x4309D950}},
      {{45.3026314f, 56.7769356f, 39.8160019f, 95.9153366f, 65.2041168f, 45.9436836f},
       0x474FD078,
       {0x42BFD4A7, 0x42826882, 0x4237C655}},
      {{26.8400898f, 54.7327957f, 7.47038937f, 60.8178177f, 56.9927559f, 148.095718f},
       0x4597BFE2,
       {0x42EE5D47, 0x42F603B6, 0x41FF3BF8}},
  };
  for (const VolumeGolden& row : cases) {
    Cell cell = row.cell;
    float volume = 0;
    supplement_impossible_angles(cell);
    volume = cell_volume(cell);
    const std::array<std::uint32_t, 3> angles{bits(cell.alpha), bits(cell.beta), bits(cell.gamma)};
    EXPECT_TRUE(bits(volume) == row.volume && angles == row.angles)
        << "cell " << describe(row.cell) << std::hex << std::uppercase << "\n  expected volume "
        << row.volume << " angles " << row.angles[0] << " " << row.angles[1] << " " << row.angles[2]
        << "\n  actual   volume " << bits(volume) << " angles " << angles[0] << " " << angles[1]
        << " " << angles[2] << " " << describe(cell);
  }
}

}  // namespace
}  // namespace rqo
