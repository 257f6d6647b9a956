#pragma once

#include <string_view>

#include "driver/run_table.hpp"
#include "records/record_sink.hpp"

namespace rqo {

inline constexpr std::string_view kTableFileName = "TK_parameters_quavelon_out.xy";

// The table's four comment lines: the title (its trailing blanks removed), the origin line,
// the column header aligned with the data fields, and the ruler.
void write_table_header(RecordSink& table, std::string_view title);

// One data row of the run: temperature, then minimum and maximum of each quantity side by
// side (23 fixed-point fields, 318 characters).
void write_table_row(RecordSink& table, const RunRecord& run);

}  // namespace rqo
