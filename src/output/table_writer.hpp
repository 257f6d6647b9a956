#pragma once

#include <string>
#include <string_view>

#include "model/run_record.hpp"
#include "records/record_sink.hpp"

namespace rqo {

// Writes the records of the parameter table, in the layout of model/table_layout.hpp.
class TableWriter {
 public:
  // The table's four comment lines: the title (its trailing blanks removed), the origin line,
  // the column header aligned with the data fields, and the ruler.
  void write_table_header(RecordSink& table, std::string_view title);

  // One data row of the run: one fixed-point field per column of the table layout (23
  // fields, 318 characters).
  void write_table_row(RecordSink& table, const RunRecord& run);

 private:
  std::string record_;  // reused: one row per run without allocating
};

}  // namespace rqo
