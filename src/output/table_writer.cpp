#include "output/table_writer.hpp"

#include <array>
#include <string>

#include "records/edit_list.hpp"
#include "records/formatted_output.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace {

constexpr int kRowFieldCount = 23;
constexpr int kRulerDashes = 320;

const EditList& text_list() {
  static const EditList list = EditList::parse("(A)");
  return list;
}

}  // namespace

void TableWriter::write_table_header(RecordSink& table, std::string_view title) {
  static const EditList columns = EditList::parse("(4A)");
  static const EditList ruler = EditList::parse("(A1,320A1)");

  std::string& record = record_;
  const std::string first_line = "! " + std::string(trim_trailing_blanks(title));
  format_record(record, text_list(), std::array<FieldValue, 1>{std::string_view(first_line)});
  table.write_record(record);

  format_record(record, text_list(),
                std::array<FieldValue, 1>{std::string_view(
                    "! Parameters extracted from TK_quavelon.out (min and values)")});
  table.write_record(record);

  format_record(
      record, columns,
      std::array<FieldValue, 4>{
          std::string_view(
              "!   TK    a_min(A)    a_max(A)    b_min(A)    b_max(A)    c_min(A)    c_max(A)"),
          std::string_view(" alpha_min(deg) alpha_max(deg)  beta_min(deg)  beta_max(deg) "
                           "gamma_min(deg) gamma_max(deg)"),
          std::string_view(" volume_min(A3) volume_max(A3)  mosa_min(deg)  mosa_max(deg)"),
          std::string_view("     chi2_x_min     chi2_x_max     chi2_y_min     chi2_y_max   "
                           "chi2_rot_min   chi2_rot_max")});
  table.write_record(record);

  std::array<FieldValue, kRulerDashes + 1> ruler_values;
  ruler_values[0] = std::string_view("!");
  for (int i = 1; i <= kRulerDashes; ++i)
    ruler_values[static_cast<std::size_t>(i)] = std::string_view("-");
  format_record(record, ruler, ruler_values);
  table.write_record(record);
}

void TableWriter::write_table_row(RecordSink& table, const RunRecord& run) {
  static const EditList row = EditList::parse("(F6.2,6F12.5,6F15.3,2F15.3,8F15.3)");

  const Cell& lo = run.cell_min;
  const Cell& hi = run.cell_max;
  const std::array<FieldValue, kRowFieldCount> values{run.temperature,
                                                      lo.a,
                                                      hi.a,
                                                      lo.b,
                                                      hi.b,
                                                      lo.c,
                                                      hi.c,
                                                      lo.alpha,
                                                      hi.alpha,
                                                      lo.beta,
                                                      hi.beta,
                                                      lo.gamma,
                                                      hi.gamma,
                                                      run.volume_min,
                                                      run.volume_max,
                                                      run.mosa_min,
                                                      run.mosa_max,
                                                      run.chi2_min[kChi2X],
                                                      run.chi2_max[kChi2X],
                                                      run.chi2_min[kChi2Y],
                                                      run.chi2_max[kChi2Y],
                                                      run.chi2_min[kChi2Rotation],
                                                      run.chi2_max[kChi2Rotation]};
  format_record(record_, row, values);
  table.write_record(record_);
}

}  // namespace rqo
