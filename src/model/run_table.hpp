#pragma once

#include <deque>

#include "model/run_record.hpp"

namespace rqo {

// The runs of the series in run-list order. A deque keeps every record in place as the pass
// appends runs, so a reference to the run being filled stays valid and growing copies nothing.
using RunTable = std::deque<RunRecord>;

}  // namespace rqo
