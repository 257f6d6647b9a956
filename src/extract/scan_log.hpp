#pragma once

#include "model/run_record.hpp"
#include "records/error_policy.hpp"
#include "records/input_file.hpp"

namespace rqo {

// Scans one processing log from its first record and stores the two numbers of each keyword
// line into the run's record (the last matching line of each keyword wins; a keyword that does
// not occur leaves its fields as they were). Bad value texts go to the error policy.
void scan_log(InputFile& log, RunRecord& run, ErrorPolicy& policy);

}  // namespace rqo
