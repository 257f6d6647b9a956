#pragma once

#include <array>
#include <ostream>
#include <string_view>

#include "records/condition.hpp"

namespace rqo {

// The program's name, which begins every line on the diagnostic stream.
inline constexpr std::string_view kProgramName = "read_quavelon_out";

// The one way the program reports a condition (a statement that asks for no status and fails,
// or any other): counts the condition, reports its first five occurrences on the diagnostic
// stream (one line each: the program's name, the level and what happened), and ends the
// program by throwing ProgramStop{StopReason::Fatal}: a serious condition at its first
// occurrence, an error at its tenth (after one more line saying the maximum error count was
// exceeded). Warnings never end the program.
class ErrorPolicy {
 public:
  explicit ErrorPolicy(std::ostream& diagnostics) : diagnostics_(diagnostics) {}

  // `what` says what happened and where (file name, line number where known).
  void report(Condition condition, std::string_view what);
  int count(Condition condition) const { return counts_[static_cast<std::size_t>(condition)]; }

 private:
  std::ostream& diagnostics_;
  std::array<int, kConditionCount> counts_{};
};

}  // namespace rqo
