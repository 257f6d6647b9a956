#include "model/run_table.hpp"

#include <gtest/gtest.h>

namespace rqo {
namespace {

// The pass fills a run through the reference it got when the run was appended, while later
// runs are appended: every earlier record must stay where it is, with its values.
TEST(RunTable, RecordsStayInPlaceWhileTheTableGrows) {
  constexpr int kRuns = 5000;
  RunTable table;
  std::vector<const RunRecord*> places;
  for (int n = 1; n <= kRuns; ++n) {
    RunRecord& run = table.emplace_back();
    ASSERT_EQ(run.chi2_max[kChi2Rotation], 0.0f) << "run " << n;
    run.temperature = static_cast<float>(n);
    places.push_back(&run);
  }
  for (int n = 1; n <= kRuns; ++n) {
    ASSERT_EQ(places[static_cast<std::size_t>(n - 1)], &table[static_cast<std::size_t>(n - 1)]);
    ASSERT_EQ(table[static_cast<std::size_t>(n - 1)].temperature, static_cast<float>(n));
  }
}

}  // namespace
}  // namespace rqo
