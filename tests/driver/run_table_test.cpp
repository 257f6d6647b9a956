#include "driver/run_table.hpp"

#include <gtest/gtest.h>

namespace rqo {
namespace {

// Runs far beyond one storage block keep their values while the table grows, and a record
// that is begun again is cleared.
TEST(RunTable, KeepsEveryRunWhileGrowingAndClearsARunBegunAgain) {
  constexpr int kRuns = 5000;
  RunTable table;
  for (int n = 1; n <= kRuns; ++n) {
    RunRecord& run = table.begin_run(n);
    ASSERT_EQ(run.temperature, 0.0f) << "run " << n;
    ASSERT_EQ(run.chi2_max[kChi2Rotation], 0.0f) << "run " << n;
    run.temperature = static_cast<float>(n);
    run.chi2_max[kChi2Rotation] = static_cast<float>(-n);
  }
  const RunTable& view = table;
  for (int n = 1; n <= kRuns; ++n) {
    ASSERT_EQ(view[n].temperature, static_cast<float>(n)) << "run " << n;
    ASSERT_EQ(view[n].chi2_max[kChi2Rotation], static_cast<float>(-n)) << "run " << n;
  }
  for (const int n : {1, 1024, 1025, kRuns}) {
    table.begin_run(n);
    EXPECT_EQ(table[n].temperature, 0.0f) << "run " << n;
    EXPECT_EQ(table[n].chi2_max[kChi2Rotation], 0.0f) << "run " << n;
  }
  EXPECT_EQ(table[2].temperature, 2.0f);
}

}  // namespace
}  // namespace rqo
