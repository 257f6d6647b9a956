#pragma once

#include "driver/run_table.hpp"
#include "records/error_policy.hpp"

namespace rqo {

// Replaces the cell by the cell of the new axes given by the matrix's rows. An arc cosine of a
// value beyond -1..1 is reported through the policy (an error-level condition).
void transf_cell_parameters(const TransformMatrix& matrix, Cell& cell, ErrorPolicy& policy);

}  // namespace rqo
