#pragma once

namespace rqo {

// Why the program ends before its normal end; the main program turns it into an exit code.
enum class StopReason {
  Fatal,      // a serious condition, or an error at its tenth occurrence (the error policy)
  ErrorStop,  // the program's own stop on a bad run list or a missing log
};

// Thrown to end the program: caught in one place (the main program), which writes the
// console's pending line break, closes the files and returns the exit code.
struct ProgramStop {
  StopReason reason;
};

}  // namespace rqo
