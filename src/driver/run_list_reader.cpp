#include "driver/run_list_reader.hpp"

#include <array>
#include <string>

#include "driver/count_columns.hpp"
#include "driver/derive_title.hpp"
#include "records/formatted_input.hpp"
#include "records/formatted_output.hpp"
#include "records/list_input.hpp"

namespace rqo {

namespace {
constexpr int kPlainColumns = 2;
constexpr int kMatrixColumns = 11;
// The header lines are seen through a holder of this length, after a byte-order mark.
constexpr std::size_t kHeaderLineLength = 128;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Text as Windows editors save it in UTF-16 (with either byte-order mark, or none, when its
// first line holds NUL bytes) cannot be read as run lines.
bool is_utf16(std::string_view first_line) {
  return first_line.starts_with("\xFF\xFE") || first_line.starts_with("\xFE\xFF") ||
         first_line.find('\0') != std::string_view::npos;
}
}  // namespace

void RunListReader::read_header(TextHolder& title) {
  read_header_lines(&title);
}

void RunListReader::read_header_lines(TextHolder* title) {
  TextHolder line(kHeaderLineLength + kUtf8Mark.size());
  read_formatted_text(run_list_, line, StatusMode::NotWanted, policy_);
  std::string_view first = line.view();
  if (is_utf16(first))
    policy_.report(Condition::WideText,
                   run_list_.name() + " is UTF-16 text: save it as UTF-8 or ANSI");
  if (first.starts_with(kUtf8Mark)) first.remove_prefix(kUtf8Mark.size());
  if (title != nullptr) derive_title(first.substr(0, kHeaderLineLength), *title);
  read_formatted_text(run_list_, line, StatusMode::NotWanted, policy_);
}

std::int32_t RunListReader::count_run_lines() {
  std::int32_t count = 0;
  std::string_view text;
  // Up to the end of the file or the first failed read.
  while (run_list_.read_record(text, 0) == kStatusOk) ++count;
  run_list_.rewind();
  read_header_lines(nullptr);
  return count;
}

RunLineOutcome RunListReader::read_next(RunRecord& run) {
  const int status = read_formatted_text(run_list_, line_, StatusMode::Wanted, policy_);
  if (status == kStatusEnd) return RunLineOutcome::EndOfList;
  if (status != kStatusOk) {
    warn_unprocessed("could not be read");
    return RunLineOutcome::EndOfList;
  }

  const int columns = count_columns(line_.view());
  const SourceContext where{run_list_.name(), run_list_.record_number()};
  if (columns == kMatrixColumns) {
    auto& m = matrix_.m;
    const std::array<ListItem, 11> items = {&log_name_, &run.temperature, &m[0][0], &m[0][1],
                                            &m[0][2],   &m[1][0],         &m[1][1], &m[1][2],
                                            &m[2][0],   &m[2][1],         &m[2][2]};
    if (read_list(line_.view(), items, StatusMode::Wanted, policy_, where) != kStatusOk) {
      warn_unprocessed(
          "holds values that cannot be read as a log name, a temperature and a matrix");
      return RunLineOutcome::EndOfList;
    }
    apply_transform_ = true;
    echo_matrix(run.temperature);
    return RunLineOutcome::Run;
  }
  if (columns == kPlainColumns) {
    const std::array<ListItem, 2> items = {&log_name_, &run.temperature};
    if (read_list(line_.view(), items, StatusMode::Wanted, policy_, where) != kStatusOk) {
      warn_unprocessed("holds values that cannot be read as a log name and a temperature");
      return RunLineOutcome::EndOfList;
    }
    matrix_ = TransformMatrix::identity();
    return RunLineOutcome::Run;
  }
  return RunLineOutcome::WrongColumnCount;
}

void RunListReader::warn_unprocessed(const char* why) {
  std::string what = run_list_.name();
  what += ", line ";
  what += std::to_string(run_list_.record_number());
  what += ": the run line ";
  what += why;
  what += "; the runs from this line on were not processed";
  policy_.report(Condition::RunLineUnread, what);
}

void RunListReader::echo_matrix(float temperature) {
  const auto& m = matrix_.m;
  write_list(console_, {" "});
  write_formatted<"(2X,A,F8.2,5X,A,3(2X,3F4.1),A)">(console_, " TK = ", temperature, "M = [",
                                                    m[0][0], m[0][1], m[0][2], m[1][0], m[1][1],
                                                    m[1][2], m[2][0], m[2][1], m[2][2], "]");
}

}  // namespace rqo
