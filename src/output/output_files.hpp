#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "model/plot_file_kinds.hpp"
#include "model/run_table.hpp"
#include "output/plot_writer.hpp"
#include "output/table_writer.hpp"
#include "records/error_policy.hpp"
#include "records/file_system.hpp"
#include "records/output_file.hpp"

namespace rqo {

// The table file and the nine plot files of a series, in the order of the plot-file kinds.
// Failures to create, write or close a file go to the error policy.
class OutputFiles {
 public:
  // The files are created in `files`.
  explicit OutputFiles(ErrorPolicy& policy, FileSystem& files = system_files());

  // Creates the table file with its header, and each plot file with its header and the header
  // of its first pattern announcing `expected_points`.
  void open(std::string_view title, std::int32_t expected_points);

  // One run's table row, then its first-pattern row in each plot file.
  void write_run_rows(const RunRecord& run);

  // After the pass: each plot file's further patterns from the runs, then its end marker, and
  // closes it (the table file stays open).
  void complete_plot_files(const RunTable& runs);

  // Hands the table file's rows to the system (it stays open): a program stopped later keeps
  // the whole table.
  void flush_table();

  // Closes the files still open: the plot files, then the table file.
  void close();

 private:
  OutputFile table_;
  std::array<std::unique_ptr<OutputFile>, kPlotFileKinds.size()> plots_;
  TableWriter table_writer_;
  PlotWriter plot_writer_;
};

}  // namespace rqo
