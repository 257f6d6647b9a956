#pragma once

#include <string>
#include <string_view>

#include "model/run_record.hpp"
#include "records/record_sink.hpp"

namespace rqo {

inline constexpr std::string_view kTableFileName = "TK_parameters_quavelon_out.xy";

// Writes the records of the parameter table.
class TableWriter {
 public:
  // The table's four comment lines: the title (its trailing blanks removed), the origin line,
  // the column header aligned with the data fields, and the ruler.
  void write_table_header(RecordSink& table, std::string_view title);

  // One data row of the run: temperature, then minimum and maximum of each quantity side by
  // side (23 fixed-point fields, 318 characters).
  void write_table_row(RecordSink& table, const RunRecord& run);

 private:
  std::string record_;  // reused: one row per run without allocating
};

}  // namespace rqo
