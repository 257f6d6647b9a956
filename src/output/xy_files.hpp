#pragma once

#include <array>
#include <memory>

#include "driver/run_table.hpp"
#include "records/error_policy.hpp"
#include "records/input_file.hpp"
#include "records/output_file.hpp"
#include "records/text_holder.hpp"

namespace rqo {

inline constexpr int kPlotFileCount = 9;

// The table file and the nine plot files, in the order of the plot-file table.
struct XyFiles {
  explicit XyFiles(ErrorPolicy& policy);

  OutputFile table;
  std::array<std::unique_ptr<OutputFile>, kPlotFileCount> plots;
  int expected_points = 0;
};

// With the run list just after its second line: counts the remaining lines
// (expected_points), derives the title again from line 1, creates the table file with its
// header and the nine plot files with their headers and first-pattern headers, and leaves
// the run list just after its second line.
void open_xy_files(InputFile& run_list, TextHolder& title, XyFiles& files, ErrorPolicy& policy);

// One run's table row, then its first-pattern row in each plot file.
void write_run_rows(XyFiles& files, const RunRecord& run);

// After the pass: each plot file's further patterns from runs 1..run_count, then each file's
// end marker, and closes the plot files (the table file stays open).
void complete_plot_files(XyFiles& files, const RunTable& runs, int run_count);

}  // namespace rqo
