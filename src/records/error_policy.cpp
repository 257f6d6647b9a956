#include "records/error_policy.hpp"

#include <climits>
#include <string>

#include "records/program_stop.hpp"

namespace rqo {

namespace {

constexpr int kReportedOccurrences = 5;
constexpr int kMaximumErrors = 10;

const char* level_word(Level level) {
  switch (level) {
    case Level::Warning:
      return "warning";
    case Level::Error:
      return "error";
    case Level::Serious:
      return "fatal";
  }
  return "error";
}

// One report is one line: control characters (a line break above all) become blanks.
void write_line(std::ostream& out, Level level, std::string_view what,
                std::string_view suffix = {}) {
  std::string line(kProgramName);
  line += ": ";
  line += level_word(level);
  line += ": ";
  for (const char c : what) {
    const auto u = static_cast<unsigned char>(c);
    line += (u < 0x20 || u == 0x7f) ? ' ' : c;
  }
  line += suffix;
  line += '\n';
  out << line << std::flush;
}

}  // namespace

void ErrorPolicy::report(Condition condition, std::string_view what) {
  int& count = counts_[static_cast<std::size_t>(condition)];
  if (count < INT_MAX) ++count;
  const Level level = level_of(condition);
  if (count < kReportedOccurrences || (count == kReportedOccurrences && level == Level::Serious)) {
    write_line(diagnostics_, level, what);
  } else if (count == kReportedOccurrences) {
    write_line(diagnostics_, level, what, " (further occurrences are not reported)");
  }
  if (level == Level::Serious) throw ProgramStop{StopReason::Fatal};
  if (level == Level::Error && count >= kMaximumErrors) {
    std::string line = "maximum error count exceeded (";
    line += std::to_string(kMaximumErrors);
    line += " occurrences of: ";
    line += traits_of(condition).name;
    line += "; the last: ";
    line += what;
    line += "); the program ends";
    write_line(diagnostics_, level, line);
    throw ProgramStop{StopReason::Fatal};
  }
}

}  // namespace rqo
