#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "records/record_sink.hpp"

namespace rqo {

// The keyboard and the screen. Output records pass through carriage control: the first
// character of a record is not shown and selects the movement written before the rest
// (blank or other: "\n"; "0": "\n\n"; "1": "\n\f"; "+": "\r"); the very first record is
// preceded by "\r" only. The line break that ends a line is kept pending and written as the
// next record's movement, so an answer is typed on the prompt's own line.
//
// write_pending_break() writes the pending "\n" itself; the record after it then starts on
// the fresh line with no further movement (a blank gives nothing, "0" one "\n", "1" "\f").
// So "write_pending_break(); write_record(" Press Enter to Continue.");" and the record
// alone both show "\nPress Enter to Continue.", and a final write_pending_break() at exit
// ends the output with exactly one "\n".
class Console : public RecordSink {
 public:
  // `interactive`: whether keyboard and screen are both terminals (the pause waits only then).
  Console(std::ostream& screen, std::istream& keyboard, bool interactive)
      : screen_(screen), keyboard_(keyboard), interactive_(interactive) {}

  void write_record(std::string_view record) override;

  // Reads the next keyboard record; its text ends at the first CR or LF. False at end of input,
  // and on Windows at a line that is Ctrl-Z (0x1A) alone.
  // The screen is flushed first, so a prompt is visible; no line break is written. A line of
  // any length costs bounded memory: a run of blanks keeps its first kKeptBlankRun blanks
  // (more separate values no differently, and no text value holds that many), and at most
  // kKeptLineLength characters are kept in all (the rest of the line is skipped).
  bool read_line(std::string& text);
  static constexpr std::size_t kKeptLineLength = std::size_t{1} << 20;
  static constexpr std::size_t kKeptBlankRun = std::size_t{1} << 16;

  // Writes the pending line break, if any (at exit and before the pause prompt).
  void write_pending_break();
  void flush();
  bool interactive() const { return interactive_; }
  // Whether a write to the screen has failed (a full disk, a closed pipe).
  bool write_failed() const { return screen_.fail(); }

 private:
  std::ostream& screen_;
  std::istream& keyboard_;
  bool interactive_;
  bool first_record_ = true;
  bool break_pending_ = false;
};

}  // namespace rqo
