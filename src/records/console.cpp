#include "records/console.hpp"

#include <ios>
#include <streambuf>
#include <string>

namespace rqo {

namespace {

// The movement before a record, by its first character, when a line break is pending.
std::string_view movement_after_line(char control) {
  switch (control) {
    case '0':
      return "\n\n";
    case '1':
      return "\n\f";
    case '+':
      return "\r";
    default:
      return "\n";
  }
}

// The movement when the cursor already stands at the start of a fresh line.
std::string_view movement_at_line_start(char control) {
  switch (control) {
    case '0':
      return "\n";
    case '1':
      return "\f";
    case '+':
      return "\r";
    default:
      return "";
  }
}

}  // namespace

void Console::write_record(std::string_view record) {
  const char control = record.empty() ? ' ' : record.front();
  if (first_record_) {
    screen_ << '\r';
    first_record_ = false;
  } else if (break_pending_) {
    screen_ << movement_after_line(control);
  } else {
    screen_ << movement_at_line_start(control);
  }
  if (!record.empty()) screen_ << record.substr(1);
  break_pending_ = true;
}

bool Console::read_line(std::string& text) {
  using Traits = std::char_traits<char>;
  screen_.flush();
  text.clear();
  std::streambuf* keyboard = keyboard_.rdbuf();
  // The stream buffer is read directly; a failure of the system to read (a closed standard
  // input, for one) counts as the end of the input, as the stream itself would have it.
  auto next = [keyboard]() -> Traits::int_type {
    if (keyboard == nullptr) return Traits::eof();
    try {
      return keyboard->sbumpc();
    } catch (...) {
      return Traits::eof();
    }
  };
  Traits::int_type c = next();
  if (Traits::eq_int_type(c, Traits::eof())) {
    keyboard_.setstate(std::ios::eofbit | std::ios::failbit);
    return false;
  }
  bool text_ended = false;    // after a CR, the rest of the line is not part of the text
  std::size_t blank_run = 0;  // blanks in a row just before c
  while (!Traits::eq_int_type(c, Traits::eof()) && c != '\n') {
    if (c == '\r') text_ended = true;
    blank_run = c == ' ' ? blank_run + 1 : 0;
    if (!text_ended && text.size() < kKeptLineLength && blank_run <= kKeptBlankRun)
      text.push_back(Traits::to_char_type(c));
    c = next();
  }
#ifdef _WIN32
  // Ctrl-Z alone on a line is how the Windows console ends input.
  if (text == "\x1A") {
    keyboard_.setstate(std::ios::eofbit | std::ios::failbit);
    return false;
  }
#endif
  return true;
}

void Console::write_pending_break() {
  if (break_pending_) {
    screen_ << '\n';
    break_pending_ = false;
  }
}

void Console::flush() {
  screen_.flush();
}

}  // namespace rqo
