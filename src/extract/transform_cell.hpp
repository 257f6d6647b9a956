#pragma once

#include "model/cell.hpp"
#include "model/run_place.hpp"
#include "records/error_policy.hpp"

namespace rqo {

// Replaces the cell by the cell of the new axes given by the matrix's rows. An arc cosine of a
// value beyond -1..1 is reported through the policy (an error-level condition), naming the
// run's place.
void transform_cell(const TransformMatrix& matrix, Cell& cell, ErrorPolicy& policy,
                    const RunPlace& place);

}  // namespace rqo
