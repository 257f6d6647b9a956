#pragma once

#include "records/program_stop.hpp"

namespace rqo {

// The program's exit codes, all of them.
inline constexpr int kExitNormal = 0;  // the normal end, and after --help or --version
inline constexpr int kExitStop = 1;    // the run-list error stop, the missing-log stop
inline constexpr int kExitFatal = 2;   // a fatal condition, or an argument the tool does not take

constexpr int exit_code_of(StopReason reason) {
  return reason == StopReason::Fatal ? kExitFatal : kExitStop;
}

}  // namespace rqo
