#include "records/console.hpp"

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
  screen_.flush();
  if (!std::getline(keyboard_, text)) {
    text.clear();
    return false;
  }
  const auto end = text.find_first_of("\r\n");
  if (end != std::string::npos) text.resize(end);
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
