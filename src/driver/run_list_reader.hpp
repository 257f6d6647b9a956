#pragma once

#include <cstdint>

#include "model/cell.hpp"
#include "model/run_record.hpp"
#include "records/console.hpp"
#include "records/error_policy.hpp"
#include "records/input_file.hpp"
#include "records/text_holder.hpp"

namespace rqo {

// What reading one run line gave.
enum class RunLineOutcome {
  Run,               // a plain or matrix run line, read; its log is still to be found
  EndOfList,         // the line cannot be read as a run: the pass ends quietly
  WrongColumnCount,  // neither 2 nor 11 columns: the run-list error stop
};

// Reads the open run list: its two header lines, then its run lines one per call, keeping
// what the pass carries from one run to the next: the current matrix, whether cells are
// transformed, and the log name. All reading of the run list happens here.
class RunListReader {
 public:
  RunListReader(InputFile& run_list, Console& console, ErrorPolicy& policy)
      : run_list_(run_list), console_(console), policy_(policy) {}

  // Reads the title line into `title` (as derive_title makes it) and the column-label line.
  void read_header(TextHolder& title);

  // With the run list just after its header: counts the lines that follow (every one a
  // possible run), then returns to the first of them.
  std::int32_t count_run_lines();

  // Reads the next line into `run` (its temperature), the log name and the matrix. A matrix
  // line switches the transformation on for the rest of the list and is echoed on the console.
  RunLineOutcome read_next(RunRecord& run);

  const TextHolder& log_name() const { return log_name_; }
  // The run list's name and the number of the line read last.
  const std::string& run_list_name() const { return run_list_.name(); }
  long line_number() const { return run_list_.record_number(); }
  const TransformMatrix& matrix() const { return matrix_; }
  bool apply_transform() const { return apply_transform_; }

 private:
  // The title line (its title derived into `title` unless null) and the column-label line.
  void read_header_lines(TextHolder* title);
  void warn_unprocessed(const char* why);
  void echo_matrix(float temperature);

  InputFile& run_list_;
  Console& console_;
  ErrorPolicy& policy_;
  // A run line is read through 256 characters; a log name is kept whole to the end of it.
  static constexpr std::size_t kRunLineLength = 256;
  TextHolder line_{kRunLineLength};
  TextHolder log_name_{kRunLineLength};
  TransformMatrix matrix_;
  bool apply_transform_ = false;
};

}  // namespace rqo
