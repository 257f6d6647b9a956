#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <sstream>

#include "extract/cell_test_support.hpp"
#include "extract/cell_volume.hpp"
#include "extract/transform_cell.hpp"

namespace rqo {
namespace {

using test::cells_close;
using test::describe;

using IntMatrix = std::array<std::array<int, 3>, 3>;

int determinant(const IntMatrix& m) {
  return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
         m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
         m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// The inverse of a matrix with determinant +-1 (adjugate over determinant), integer again.
IntMatrix unimodular_inverse(const IntMatrix& m) {
  const int det = determinant(m);
  IntMatrix inverse{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
      inverse[i][j] = (m[r0][c0] * m[r1][c1] - m[r0][c1] * m[r1][c0]) / det;
    }
  }
  return inverse;
}

TransformMatrix to_float(const IntMatrix& m) {
  TransformMatrix t;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) t.m[i][j] = static_cast<float>(m[i][j]);
  }
  return t;
}

IntMatrix random_matrix(std::mt19937& random, int limit) {
  std::uniform_int_distribution<int> entry(-limit, limit);
  IntMatrix m{};
  for (auto& row : m) {
    for (int& x : row) x = entry(random);
  }
  return m;
}

double radicand_of(const Cell& cell) {
  const double d = 3.14159265358979323846 / 180.0;
  const double ca = std::cos(cell.alpha * d), cb = std::cos(cell.beta * d),
               cg = std::cos(cell.gamma * d);
  return 1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg;
}

// A random cell well away from degenerate: lengths 3..40, angles 60..120.
Cell random_cell(std::mt19937& random) {
  std::uniform_real_distribution<float> length(3.0f, 40.0f), angle(60.0f, 120.0f);
  for (;;) {
    const Cell cell{length(random), length(random), length(random),
                    angle(random),  angle(random),  angle(random)};
    if (radicand_of(cell) > 0.2) return cell;
  }
}

// The transformed cell is well conditioned enough to compare with loose tolerances.
bool well_conditioned(const Cell& cell) {
  for (float angle : {cell.alpha, cell.beta, cell.gamma}) {
    if (!(angle > 20.0f && angle < 160.0f)) return false;
  }
  return radicand_of(cell) > 0.05;
}

// Transforming by M and then by its inverse gives back the cell.
TEST(CellProperties, TransformThenInverseGivesBackTheCell) {
  std::mt19937 random(20240611);
  int tried = 0, failures = 0;
  while (tried < 5000) {
    const IntMatrix m = random_matrix(random, 1);
    if (std::abs(determinant(m)) != 1) continue;
    const Cell original = random_cell(random);
    std::ostringstream diagnostics;
    ErrorPolicy policy(diagnostics);
    Cell cell = original;
    transform_cell(to_float(m), cell, policy, test::kTestPlace);
    if (!well_conditioned(cell)) continue;
    ++tried;
    const Cell middle = cell;
    transform_cell(to_float(unimodular_inverse(m)), cell, policy, test::kTestPlace);
    if (!cells_close(cell, original, 2e-5, 1e-3) && ++failures <= 5) {
      ADD_FAILURE() << "matrix " << describe(to_float(m)) << "\n  cell     " << describe(original)
                    << "\n  middle   " << describe(middle) << "\n  back     " << describe(cell);
    }
    EXPECT_EQ(policy.count(Condition::AcosArgument), 0);
  }
  EXPECT_EQ(failures, 0);
}

// A signed permutation moves lengths and angles (or their supplements) around exactly.
TEST(CellProperties, SignedPermutationRoundTripIsNearlyExact) {
  std::mt19937 random(7);
  std::array<int, 3> order{0, 1, 2};
  int failures = 0;
  for (int n = 0; n < 3000; ++n) {
    std::shuffle(order.begin(), order.end(), random);
    IntMatrix m{};
    for (int i = 0; i < 3; ++i) m[i][order[i]] = (random() & 1) ? 1 : -1;
    const Cell original = random_cell(random);
    std::ostringstream diagnostics;
    ErrorPolicy policy(diagnostics);
    Cell cell = original;
    transform_cell(to_float(m), cell, policy, test::kTestPlace);
    transform_cell(to_float(unimodular_inverse(m)), cell, policy, test::kTestPlace);
    if (!cells_close(cell, original, 3e-7, 1e-4) && ++failures <= 5) {
      ADD_FAILURE() << "matrix " << describe(to_float(m)) << "\n  cell " << describe(original)
                    << "\n  back " << describe(cell);
    }
  }
  EXPECT_EQ(failures, 0);
}

// The volume of the transformed cell is |det M| times the volume of the cell.
TEST(CellProperties, VolumeScalesWithTheDeterminant) {
  std::mt19937 random(31337);
  int tried = 0, failures = 0;
  while (tried < 5000) {
    const IntMatrix m = random_matrix(random, 2);
    const int det = determinant(m);
    if (det == 0) continue;
    Cell cell = random_cell(random);
    float volume = 0;
    Cell copy = cell;
    supplement_impossible_angles(copy);
    volume = cell_volume(copy);
    std::ostringstream diagnostics;
    ErrorPolicy policy(diagnostics);
    transform_cell(to_float(m), cell, policy, test::kTestPlace);
    if (!well_conditioned(cell)) continue;
    ++tried;
    float new_volume = 0;
    supplement_impossible_angles(cell);
    new_volume = cell_volume(cell);
    const double expected = std::abs(det) * static_cast<double>(volume);
    if (!(std::abs(new_volume - expected) <= 1e-4 * expected) && ++failures <= 5) {
      ADD_FAILURE() << "matrix " << describe(to_float(m)) << " det " << det << "\n  volume "
                    << volume << " expected " << expected << " actual " << new_volume
                    << " new cell " << describe(cell);
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace rqo
