#pragma once

#include "records/program_stop.hpp"

namespace rqo {

// The program's exit codes; a fatal condition of the record layer ends it with kExitFatal.
inline constexpr int kExitNormal = 0;
inline constexpr int kExitStop = 1;  // the run-list error stop, the missing-log stop

}  // namespace rqo
