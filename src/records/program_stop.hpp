#pragma once

namespace rqo {

// Thrown to end the program: caught in one place (the main program), which writes the
// console's pending line break, closes the files and returns the exit code.
struct ProgramStop {
  int exit_code;
};

// The exit code of a fatal condition of the record layer.
inline constexpr int kExitFatal = 2;

}  // namespace rqo
