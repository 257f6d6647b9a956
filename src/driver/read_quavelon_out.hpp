#pragma once

#include "records/console.hpp"
#include "records/error_policy.hpp"
#include "records/file_system.hpp"

namespace rqo {

// The whole dialogue, from the banner to the last plot offer. Returns the exit code; every
// way out (normal end, a stop, a fatal condition of the record layer) leaves the output files
// closed with everything written so far, and the console's pending line break written. The
// run list, the logs and the output files are found in `files`; every diagnostic goes through
// `policy`.
int read_quavelon_out(Console& console, ErrorPolicy& policy, FileSystem& files = system_files());

}  // namespace rqo
