#include "output/table_writer.hpp"

#include <string>

#include "records/formatted_output.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace {

constexpr std::size_t kRulerDashes = 320;

}  // namespace

void TableWriter::write_table_header(RecordSink& table, std::string_view title) {
  std::string& record = record_;
  const std::string first_line = "! " + std::string(trim_trailing_blanks(title));
  format_record<"(A)">(record, first_line);
  table.write_record(record);

  format_record<"(A)">(record, "! Parameters extracted from TK_quavelon.out (min and values)");
  table.write_record(record);

  format_record<"(4A)">(
      record, "!   TK    a_min(A)    a_max(A)    b_min(A)    b_max(A)    c_min(A)    c_max(A)",
      " alpha_min(deg) alpha_max(deg)  beta_min(deg)  beta_max(deg) gamma_min(deg) gamma_max(deg)",
      " volume_min(A3) volume_max(A3)  mosa_min(deg)  mosa_max(deg)",
      "     chi2_x_min     chi2_x_max     chi2_y_min     chi2_y_max   chi2_rot_min   chi2_rot_max");
  table.write_record(record);

  // (A1,320A1) of "!" and 320 dashes.
  format_ruler(record, '!', '-', kRulerDashes);
  table.write_record(record);
}

void TableWriter::write_table_row(RecordSink& table, const RunRecord& run) {
  const Cell& lo = run.cell_min;
  const Cell& hi = run.cell_max;
  format_record<"(F6.2,6F12.5,6F15.3,2F15.3,8F15.3)">(
      record_, run.temperature, lo.a, hi.a, lo.b, hi.b, lo.c, hi.c, lo.alpha, hi.alpha, lo.beta,
      hi.beta, lo.gamma, hi.gamma, run.volume_min, run.volume_max, run.mosa_min, run.mosa_max,
      run.chi2_min[kChi2X], run.chi2_max[kChi2X], run.chi2_min[kChi2Y], run.chi2_max[kChi2Y],
      run.chi2_min[kChi2Rotation], run.chi2_max[kChi2Rotation]);
  table.write_record(record_);
}

}  // namespace rqo
