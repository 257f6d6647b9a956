#include "extract/transform_cell.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "extract/cell_test_support.hpp"
#include "records/program_stop.hpp"

namespace rqo {
namespace {

using test::cells_close;
using test::describe;
using test::matrix_of;

struct TransformCase {
  const char* what;
  TransformMatrix matrix;
  Cell cell;
  Cell expected;
};

TEST(CellTransform, KnownMatrices) {
  const TransformCase cases[] = {
      {"identity, cube",
       TransformMatrix::identity(),
       {10, 10, 10, 90, 90, 90},
       {10, 10, 10, 90, 90, 90}},
      {"identity, triclinic",
       TransformMatrix::identity(),
       {5, 6, 7, 80, 95, 100},
       {5, 6, 7, 80, 95, 100}},
      {"swap a and b, reverse c",
       matrix_of(0, 1, 0, 1, 0, 0, 0, 0, -1),
       {5, 6, 7, 80, 95, 100},
       {6, 5, 7, 85, 100, 100}},
      {"double a",
       matrix_of(2, 0, 0, 0, 1, 0, 0, 0, 1),
       {5, 6, 7, 80, 95, 100},
       {10, 6, 7, 80, 95, 100}},
      // a' = a + b in a cell with gamma = 90: |a'| = sqrt(25 + 36).
      {"a plus b, orthogonal",
       matrix_of(1, 1, 0, 0, 1, 0, 0, 0, 1),
       {5, 6, 7, 90, 90, 90},
       {std::sqrt(61.0f), 6, 7, 90, 90, std::atan2(5.0f, 6.0f) * 57.2957795f}},
  };
  for (const TransformCase& row : cases) {
    ErrorPolicy policy(std::cerr);
    Cell cell = row.cell;
    transform_cell(row.matrix, cell, policy, test::kTestPlace);
    EXPECT_TRUE(cells_close(cell, row.expected, 2e-7, 2e-5))
        << row.what << ": matrix " << describe(row.matrix) << " cell " << describe(row.cell)
        << "\n  expected " << describe(row.expected) << "\n  actual   " << describe(cell);
    EXPECT_EQ(policy.count(Condition::AcosArgument), 0) << row.what;
  }
}

TEST(CellTransform, RightAnglesOfACubeComeBackExactly) {
  ErrorPolicy policy(std::cerr);
  Cell cell{10, 10, 10, 90, 90, 90};
  transform_cell(TransformMatrix::identity(), cell, policy, test::kTestPlace);
  EXPECT_EQ(describe(cell), describe(Cell{10, 10, 10, 90, 90, 90}));
}

TEST(CellTransform, ZeroRowGivesZeroLengthAndNaNAnglesWithoutReport) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  Cell cell{5, 6, 7, 80, 95, 100};
  transform_cell(matrix_of(0, 0, 0, 0, 1, 0, 0, 0, 1), cell, policy, test::kTestPlace);
  EXPECT_EQ(cell.a, 0.0f);
  EXPECT_EQ(cell.b, 6.0f);
  EXPECT_EQ(cell.c, 7.0f);
  EXPECT_NEAR(cell.alpha, 80.0f, 2e-5) << describe(cell);
  EXPECT_TRUE(std::isnan(cell.beta)) << describe(cell);
  EXPECT_TRUE(std::isnan(cell.gamma)) << describe(cell);
  EXPECT_EQ(policy.count(Condition::AcosArgument), 0);
  EXPECT_EQ(diagnostics.str(), "");
}

struct ParallelCase {
  const char* what;
  TransformMatrix matrix;
  Cell cell;
  float expected_gamma;
};

// Two new axes that are parallel or antiparallel: rounding the squared lengths can push the
// cosine beyond 1 or -1. The arc cosine's argument error is counted and reported, and the
// angle becomes 0 or 180 degrees.
TEST(CellTransform, CosineBeyondOneIsAnArgumentError) {
  const ParallelCase cases[] = {
      {"antiparallel", matrix_of(1, 1, 0, -1, -1, 0, 0, 0, 1), {5, 6, 7, 80, 95, 103}, 180.0f},
      {"parallel", matrix_of(1, 1, 0, 1, 1, 0, 0, 0, 1), {5, 6, 7, 80, 95, 103}, 0.0f},
  };
  for (const ParallelCase& row : cases) {
    std::ostringstream diagnostics;
    ErrorPolicy policy(diagnostics);
    Cell cell = row.cell;
    transform_cell(row.matrix, cell, policy, test::kTestPlace);
    EXPECT_EQ(cell.gamma, row.expected_gamma)
        << row.what << ": matrix " << describe(row.matrix) << " cell " << describe(row.cell)
        << " gives " << describe(cell);
    EXPECT_EQ(policy.count(Condition::AcosArgument), 1) << row.what;
    // The report names the run's place: its run-list line and its log.
    EXPECT_NE(diagnostics.str().find("read_quavelon_out: error: runs.txt, line 3, log run.out: "),
              std::string::npos)
        << row.what << ": " << diagnostics.str();
  }
}

TEST(CellTransform, TenthArgumentErrorEndsTheProgram) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  const TransformMatrix antiparallel = matrix_of(1, 1, 0, -1, -1, 0, 0, 0, 1);
  for (int i = 1; i <= 9; ++i) {
    Cell cell{5, 6, 7, 80, 95, 103};
    transform_cell(antiparallel, cell, policy, test::kTestPlace);
  }
  EXPECT_EQ(policy.count(Condition::AcosArgument), 9);
  Cell cell{5, 6, 7, 80, 95, 103};
  try {
    transform_cell(antiparallel, cell, policy, test::kTestPlace);
    ADD_FAILURE() << "the tenth arc cosine argument error did not end the program";
  } catch (const ProgramStop& stop) {
    EXPECT_EQ(stop.reason, StopReason::Fatal);
  }
}

}  // namespace
}  // namespace rqo
