#pragma once

#include "driver/invocation.hpp"
#include "records/console.hpp"
#include "records/error_policy.hpp"
#include "records/file_system.hpp"

namespace rqo {

// The whole dialogue, from the banner to the last plot offer. Returns the exit code; every
// way out (normal end, a stop, a fatal condition of the record layer) leaves the output files
// closed with everything written so far, and the console's pending line break written. The
// run list, the logs and the output files are found in `files`; every diagnostic goes through
// `policy`. The command line's `invocation` may name the run list (the prompt is then
// skipped) and choose which plot files go to the plotting program.
int read_quavelon_out(Console& console, ErrorPolicy& policy, FileSystem& files = system_files(),
                      const Invocation& invocation = {});

}  // namespace rqo
