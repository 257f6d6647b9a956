#pragma once

#include <array>
#include <ostream>
#include <string_view>

namespace rqo {

// The conditions the record layer knows; each has its own count from program start.
enum class Condition {
  EndOfFile,           // a file or the console has no further record (serious)
  EndOfInternalFile,   // a list-directed read from a text value ran out of values (error)
  BadCharacterInReal,  // a character that cannot belong to a number (warning)
  QuotedReal,          // a quoted value given for a real item (warning)
  AcosArgument,        // arc cosine of a value beyond -1..1 (error)
  OpenFailed,          // a file exists but cannot be opened for reading (serious)
  ReadFailed,          // a read error on an open file (serious)
  CreateFailed,        // an output file cannot be created (serious)
  WriteFailed,         // an output file cannot be written (serious)
  PlotterNotStarted,   // the plotting program cannot be started (warning)
};
inline constexpr int kConditionCount = 10;

enum class Level { Warning, Error, Serious };

Level level_of(Condition condition);

// Decides what happens when a statement that asks for no status fails: counts the condition,
// reports its first five occurrences on the diagnostic stream (one line each, starting with
// "read_quavelon_out: "), and ends the program by throwing ProgramStop: a serious condition at
// its first occurrence, an error at its tenth (after one more line saying the maximum error
// count was exceeded). Warnings never end the program.
class ErrorPolicy {
 public:
  explicit ErrorPolicy(std::ostream& diagnostics) : diagnostics_(diagnostics) {}

  // `what` says what happened and where (file name, line number where known).
  void report(Condition condition, std::string_view what);
  int count(Condition condition) const { return counts_[static_cast<int>(condition)]; }

 private:
  std::ostream& diagnostics_;
  std::array<int, kConditionCount> counts_{};
};

}  // namespace rqo
