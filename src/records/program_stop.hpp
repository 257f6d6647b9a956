#pragma once

namespace rqo {

// Thrown to end the program: caught in one place (the main program), which writes the
// console's pending line break, closes the files and returns the exit code.
struct ProgramStop {
  int exit_code;
};

inline constexpr int kExitNormal = 0;
inline constexpr int kExitStop = 1;   // run-list error stop, missing-log stop
inline constexpr int kExitFatal = 2;  // fatal record-layer condition

}  // namespace rqo
