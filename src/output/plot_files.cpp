#include "output/plot_files.hpp"

#include <string>

#include "records/edit_list.hpp"
#include "records/formatted_output.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace {

constexpr PlotPattern kCellA[] = {
    {1, "a_min(A)=f(T)", [](const RunRecord& r) { return r.cell_min.a; }},
    {2, "a_max(A)=f(T)", [](const RunRecord& r) { return r.cell_max.a; }}};
constexpr PlotPattern kCellB[] = {
    {1, "b_min(A)=f(T)", [](const RunRecord& r) { return r.cell_min.b; }},
    {2, "b_max(A)=f(T)", [](const RunRecord& r) { return r.cell_max.b; }}};
constexpr PlotPattern kCellC[] = {
    {1, "c_min(A)=f(T)", [](const RunRecord& r) { return r.cell_min.c; }},
    {2, "c_max(A)=f(T)", [](const RunRecord& r) { return r.cell_max.c; }}};
constexpr PlotPattern kCellAlpha[] = {
    {1, "alpha_min(deg)=f(T)", [](const RunRecord& r) { return r.cell_min.alpha; }},
    {2, "alpha_max(deg)=f(T)", [](const RunRecord& r) { return r.cell_max.alpha; }}};
constexpr PlotPattern kCellBeta[] = {
    {1, "beta_min(deg)=f(T)", [](const RunRecord& r) { return r.cell_min.beta; }},
    {2, "beta_max(deg)=f(T)", [](const RunRecord& r) { return r.cell_max.beta; }}};
constexpr PlotPattern kCellGamma[] = {
    {1, "gamma_min(deg)=f(T)", [](const RunRecord& r) { return r.cell_min.gamma; }},
    {2, "gamma_max(deg)=f(T)", [](const RunRecord& r) { return r.cell_max.gamma; }}};
constexpr PlotPattern kVolume[] = {
    {1, "volume_min(A3)=f(T)", [](const RunRecord& r) { return r.volume_min; }},
    {2, "volume_max(A3)=f(T)", [](const RunRecord& r) { return r.volume_max; }}};
constexpr PlotPattern kMosaicity[] = {
    {1, "mosaicity_min(deg)=f(T)", [](const RunRecord& r) { return r.mosa_min; }},
    {2, "mosaicity_max(deg)=f(T)", [](const RunRecord& r) { return r.mosa_max; }}};
// Minimum and maximum of one chi-square value share a pattern number, and so a marker.
constexpr PlotPattern kChi2[] = {
    {1, "chi2_x_min=f(T)", [](const RunRecord& r) { return r.chi2_min[kChi2X]; }},
    {1, "chi2_x_max=f(T)", [](const RunRecord& r) { return r.chi2_max[kChi2X]; }},
    {2, "chi2_y_min=f(T)", [](const RunRecord& r) { return r.chi2_min[kChi2Y]; }},
    {2, "chi2_y_max=f(T)", [](const RunRecord& r) { return r.chi2_max[kChi2Y]; }},
    {3, "chi2_rot_min=f(T)", [](const RunRecord& r) { return r.chi2_min[kChi2Rotation]; }},
    {3, "chi2_rot_max=f(T)", [](const RunRecord& r) { return r.chi2_max[kChi2Rotation]; }}};

constexpr std::array<PlotFileKind, 9> kPlotFileKinds{{
    {"TK_cell_a.pgf", "cell_a", "a unit cell parameter (A)", kCellA},
    {"TK_cell_b.pgf", "cell_b", "b unit cell parameter (A)", kCellB},
    {"TK_cell_c.pgf", "cell_c", "c unit cell parameter (A)", kCellC},
    {"TK_cell_alpha.pgf", "cell_alpha", "alpha angle (deg.)", kCellAlpha},
    {"TK_cell_beta.pgf", "cell_beta", "beta angle (deg.)", kCellBeta},
    {"TK_cell_gamma.pgf", "cell_gamma", "gamma angle (deg.)", kCellGamma},
    {"TK_volume.pgf", "volume", "Unit cell volume (A3)", kVolume},
    {"TK_mosaicity.pgf", "mosaicity", "Crystal mosaicity (deg.)", kMosaicity},
    {"TK_chi2.pgf", "chi2", "Chi2 value", kChi2},
}};

// Title lengths are bounded by the 64-character holder the first pattern's title lives in.
constexpr std::size_t kPatternTitleLength = 64;

const EditList& text_list() {
  static const EditList list = EditList::parse("(A)");
  return list;
}

const EditList& two_texts_list() {
  static const EditList list = EditList::parse("(2A)");
  return list;
}

const EditList& one_digit_list() {
  static const EditList list = EditList::parse("(A,I1)");
  return list;
}

// Reused for every record the plot writers produce.
std::string& scratch_record() {
  static std::string record;
  return record;
}

void write_labelled_text(RecordSink& file, std::string_view label, std::string_view text) {
  std::string& record = scratch_record();
  format_record(record, two_texts_list(),
                std::array<FieldValue, 2>{label, trim_trailing_blanks(text)});
  file.write_record(record);
}

void write_labelled_digit(RecordSink& file, std::string_view label, std::int32_t value) {
  std::string& record = scratch_record();
  format_record(record, one_digit_list(), std::array<FieldValue, 2>{label, value});
  file.write_record(record);
}

void write_text(RecordSink& file, std::string_view text) {
  std::string& record = scratch_record();
  format_record(record, text_list(), std::array<FieldValue, 1>{text});
  file.write_record(record);
}

const std::string& plot_ruler() {
  static const std::string ruler = [] {
    static const EditList list = EditList::parse("(A1,50A1)");
    std::array<FieldValue, 51> values;
    values[0] = std::string_view("#");
    for (std::size_t i = 1; i < values.size(); ++i) values[i] = std::string_view("-");
    std::string record;
    format_record(record, list, values);
    return record;
  }();
  return ruler;
}

}  // namespace

const std::array<PlotFileKind, 9>& plot_file_kinds() {
  return kPlotFileKinds;
}

void write_pgf_entete(RecordSink& file, std::string_view tag, std::string_view main_legend,
                      std::string_view x_legend, std::string_view y_legend, std::int32_t points) {
  static const EditList pattern_count_list = EditList::parse("(A,I6)");

  const std::string_view wanted_tag = trim_trailing_blanks(tag);
  std::string_view first_title;
  bool six_patterns = false;
  for (const PlotFileKind& kind : kPlotFileKinds) {
    if (kind.tag == wanted_tag) {
      first_title = kind.patterns.front().title.substr(0, kPatternTitleLength);
      six_patterns = kind.patterns.size() == 6;
      break;
    }
  }

  write_labelled_text(file, "# MAIN LEGEND TEXT: ", main_legend);
  write_labelled_text(file, "# X LEGEND TEXT   : ", x_legend);
  write_labelled_text(file, "# Y LEGEND TEXT   : ", y_legend);
  // The count is part of the text; the I6 field of the edit list is never reached.
  std::string& record = scratch_record();
  format_record(record, pattern_count_list,
                std::array<FieldValue, 1>{std::string_view(
                    six_patterns ? "# NUMBER OF PATTERNS: 6" : "# NUMBER OF PATTERNS: 2")});
  file.write_record(record);
  file.write_record(plot_ruler());

  write_pgf_pattern(file, first_title, points, 1);
}

void write_pgf_pattern(RecordSink& file, std::string_view title, std::int32_t points,
                       std::int32_t number) {
  static const EditList points_list = EditList::parse("(A,I8)");
  // Held from one call to the next; only the numbers 1, 2 and 3 select a new marker.
  static std::int32_t marker_code = 0;
  static std::int32_t marker_size = 0;
  switch (number) {
    case 1:
      marker_code = 1;
      marker_size = 2;
      break;
    case 2:
      marker_code = 4;
      marker_size = 2;
      break;
    case 3:
      marker_code = 6;
      marker_size = 2;
      break;
    default:
      break;
  }

  write_labelled_digit(file, "# >>>>>>>> PATTERN #: ", number);
  write_labelled_text(file, "#             TITLE : ", title);
  std::string& record = scratch_record();
  format_record(record, points_list,
                std::array<FieldValue, 2>{std::string_view("#  NUMBER OF POINTS : "), points});
  file.write_record(record);
  write_labelled_digit(file, "#            MARKER : ", marker_code);
  write_labelled_digit(file, "#              SIZE : ", marker_size);
  write_text(file, "#   DATA: X Y");
}

void write_plot_row(RecordSink& file, float temperature, float value) {
  static const EditList row_list = EditList::parse("(F6.2,1F20.5)");
  std::string& record = scratch_record();
  format_record(record, row_list, std::array<FieldValue, 2>{temperature, value});
  file.write_record(record);
}

void write_plot_end(RecordSink& file) {
  write_text(file, "# END OF FILE");
}

}  // namespace rqo
