#include "output/table_writer.hpp"

#include <string>
#include <utility>

#include "model/table_layout.hpp"
#include "records/edit_list_literal.hpp"
#include "records/formatted_output.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace {

namespace layout = table_layout;

// The data row: one fixed-point field per column.
constexpr FixedString kRowEdits{"(F6.2,6F12.5,6F15.3,2F15.3,8F15.3)"};

consteval bool row_edits_match_columns() {
  const auto& edits = kEditList<kRowEdits>;
  if (edits.size() != layout::kColumns.size()) return false;
  for (std::size_t i = 0; i < edits.size(); ++i) {
    const layout::Column& column = layout::kColumns[i];
    const EditDescriptor field{EditKind::Fixed, static_cast<int>(column.width), column.decimals};
    if (edits[i] != field) return false;
  }
  return true;
}
static_assert(row_edits_match_columns(), "the row's edit list disagrees with the table columns");

template <std::size_t... I>
void format_row(std::string& record, const RunRecord& run, std::index_sequence<I...>) {
  format_record<kRowEdits>(record, layout::kColumns[I].value(run)...);
}

// Each heading right-aligned over its field; the comment mark in the first column.
std::string column_headings() {
  std::string line;
  for (const layout::Column& column : layout::kColumns) {
    line.append(column.width - column.heading.size(), ' ');
    line.append(column.heading);
  }
  line[0] = layout::kCommentMark;
  return line;
}

}  // namespace

void TableWriter::write_table_header(RecordSink& table, std::string_view title) {
  std::string& record = record_;
  const std::string first_line = "! " + std::string(trim_trailing_blanks(title));
  format_record<"(A)">(record, first_line);
  table.write_record(record);

  format_record<"(A)">(record, "! Parameters extracted from TK_quavelon.out (min and values)");
  table.write_record(record);

  format_record<"(A)">(record, column_headings());
  table.write_record(record);

  // (A1,320A1) of "!" and 320 dashes.
  format_ruler(record, layout::kCommentMark, '-', layout::kRulerDashes);
  table.write_record(record);
}

void TableWriter::write_table_row(RecordSink& table, const RunRecord& run) {
  format_row(record_, run, std::make_index_sequence<layout::kColumns.size()>{});
  table.write_record(record_);
}

}  // namespace rqo
