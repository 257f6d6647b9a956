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

const char* condition_name(Condition condition) {
  switch (condition) {
    case Condition::EndOfFile:
      return "end of file";
    case Condition::EndOfInternalFile:
      return "end of a value text";
    case Condition::BadCharacterInReal:
      return "bad character in a real value";
    case Condition::QuotedReal:
      return "quoted value for a real";
    case Condition::AcosArgument:
      return "arc-cosine argument out of range";
    case Condition::OpenFailed:
      return "file cannot be opened";
    case Condition::ReadFailed:
      return "file cannot be read";
    case Condition::CreateFailed:
      return "file cannot be created";
    case Condition::WriteFailed:
      return "file cannot be written";
    case Condition::PlotterNotStarted:
      return "plotting program cannot be started";
  }
  return "unknown condition";
}

// One report is one line: control characters (a line break above all) become blanks.
void write_line(std::ostream& out, Level level, std::string_view what,
                std::string_view suffix = {}) {
  std::string line = "read_quavelon_out: ";
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

Level level_of(Condition condition) {
  switch (condition) {
    case Condition::BadCharacterInReal:
    case Condition::QuotedReal:
    case Condition::PlotterNotStarted:
      return Level::Warning;
    case Condition::EndOfInternalFile:
    case Condition::AcosArgument:
      return Level::Error;
    case Condition::EndOfFile:
    case Condition::OpenFailed:
    case Condition::ReadFailed:
    case Condition::CreateFailed:
    case Condition::WriteFailed:
      return Level::Serious;
  }
  return Level::Serious;
}

void ErrorPolicy::report(Condition condition, std::string_view what) {
  int& count = counts_[static_cast<int>(condition)];
  if (count < INT_MAX) ++count;
  const Level level = level_of(condition);
  if (count < kReportedOccurrences || (count == kReportedOccurrences && level == Level::Serious)) {
    write_line(diagnostics_, level, what);
  } else if (count == kReportedOccurrences) {
    write_line(diagnostics_, level, what, " (further occurrences are not reported)");
  }
  if (level == Level::Serious) throw ProgramStop{kExitFatal};
  if (level == Level::Error && count >= kMaximumErrors) {
    std::string line = "maximum error count exceeded (";
    line += std::to_string(kMaximumErrors);
    line += " occurrences of: ";
    line += condition_name(condition);
    line += "; the last: ";
    line += what;
    line += "); the program ends";
    write_line(diagnostics_, level, line);
    throw ProgramStop{kExitFatal};
  }
}

}  // namespace rqo
