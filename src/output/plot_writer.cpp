#include "output/plot_writer.hpp"

#include <array>

#include "model/plot_file_layout.hpp"
#include "records/edit_list.hpp"
#include "records/formatted_output.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace {

namespace layout = plot_layout;

// Title lengths are bounded by the 64-character holder the first pattern's title lives in.
constexpr std::size_t kPatternTitleLength = 64;
constexpr std::size_t kRulerDashes = 50;

const EditList& text_list() {
  static const EditList list = EditList::parse("(A)");
  return list;
}

const std::string& plot_ruler() {
  static const std::string ruler = [] {
    static const EditList list = EditList::parse("(A1,50A1)");
    std::array<FieldValue, kRulerDashes + 1> values;
    values[0] = std::string_view("#");
    for (std::size_t i = 1; i < values.size(); ++i) values[i] = std::string_view("-");
    std::string record;
    format_record(record, list, values);
    return record;
  }();
  return ruler;
}

}  // namespace

void PlotWriter::write_labelled_text(RecordSink& file, std::string_view label,
                                     std::string_view text) {
  static const EditList list = EditList::parse("(2A)");
  format_record(record_, list, std::array<FieldValue, 2>{label, trim_trailing_blanks(text)});
  file.write_record(record_);
}

void PlotWriter::write_labelled_digit(RecordSink& file, std::string_view label,
                                      std::int32_t value) {
  static const EditList list = EditList::parse("(A,I1)");
  format_record(record_, list, std::array<FieldValue, 2>{label, value});
  file.write_record(record_);
}

void PlotWriter::write_text(RecordSink& file, std::string_view text) {
  format_record(record_, text_list(), std::array<FieldValue, 1>{text});
  file.write_record(record_);
}

void PlotWriter::write_plot_header(RecordSink& file, const PlotFileKind& kind,
                                   std::string_view main_legend, std::int32_t points) {
  static const EditList pattern_count_list = EditList::parse("(A,I6)");

  write_labelled_text(file, layout::kMainLegend, main_legend);
  write_labelled_text(file, layout::kXLegend, layout::kTemperatureLegend);
  write_labelled_text(file, layout::kYLegend, kind.y_legend);
  // The count is part of the text; the I6 field of the edit list is never reached.
  format_record(
      record_, pattern_count_list,
      std::array<FieldValue, 1>{std::string_view(
          kind.patterns.size() == 6 ? "# NUMBER OF PATTERNS: 6" : "# NUMBER OF PATTERNS: 2")});
  file.write_record(record_);
  file.write_record(plot_ruler());

  write_pattern_header(file, kind.patterns.front().title.substr(0, kPatternTitleLength), points, 1);
}

void PlotWriter::write_pattern_header(RecordSink& file, std::string_view title, std::int32_t points,
                                      std::int32_t number) {
  static const EditList points_list = EditList::parse("(A,I8)");
  if (number >= 1 && number <= static_cast<std::int32_t>(std::size(layout::kPatternMarkers))) {
    const layout::Marker& marker = layout::kPatternMarkers[number - 1];
    marker_code_ = marker.code;
    marker_size_ = marker.size;
  }

  write_labelled_digit(file, layout::kPatternNumber, number);
  write_labelled_text(file, layout::kTitle, title);
  format_record(record_, points_list, std::array<FieldValue, 2>{layout::kPoints, points});
  file.write_record(record_);
  write_labelled_digit(file, layout::kMarker, marker_code_);
  write_labelled_digit(file, layout::kSize, marker_size_);
  write_text(file, layout::kData);
}

void PlotWriter::write_plot_row(RecordSink& file, float temperature, float value) {
  static const EditList row_list = EditList::parse("(F6.2,1F20.5)");
  format_record(record_, row_list, std::array<FieldValue, 2>{temperature, value});
  file.write_record(record_);
}

void PlotWriter::write_plot_end(RecordSink& file) {
  write_text(file, layout::kEnd);
}

}  // namespace rqo
