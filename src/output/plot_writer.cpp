#include "output/plot_writer.hpp"

#include <array>

#include "model/plot_file_layout.hpp"
#include "records/formatted_output.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace {

namespace layout = plot_layout;

// Title lengths are bounded by the 64-character holder the first pattern's title lives in.
constexpr std::size_t kPatternTitleLength = 64;
constexpr std::size_t kRulerDashes = 50;

// (A1,50A1) of "#" and 50 dashes.
const std::string& plot_ruler() {
  static const std::string ruler = [] {
    std::string record;
    format_ruler(record, '#', '-', kRulerDashes);
    return record;
  }();
  return ruler;
}

}  // namespace

void PlotWriter::write_labelled_text(RecordSink& file, std::string_view label,
                                     std::string_view text) {
  format_record<"(2A)">(record_, label, trim_trailing_blanks(text));
  file.write_record(record_);
}

void PlotWriter::write_labelled_digit(RecordSink& file, std::string_view label,
                                      std::int32_t value) {
  format_record<"(A,I1)">(record_, label, value);
  file.write_record(record_);
}

void PlotWriter::write_text(RecordSink& file, std::string_view text) {
  format_record<"(A)">(record_, text);
  file.write_record(record_);
}

void PlotWriter::write_plot_header(RecordSink& file, const PlotFileKind& kind,
                                   std::string_view main_legend, std::int32_t points) {
  write_labelled_text(file, layout::kMainLegend, main_legend);
  write_labelled_text(file, layout::kXLegend, layout::kTemperatureLegend);
  write_labelled_text(file, layout::kYLegend, kind.y_legend);
  // The count is part of the text; the I6 field of the edit list is never reached.
  format_record<"(A,I6)">(
      record_, kind.patterns.size() == 6 ? "# NUMBER OF PATTERNS: 6" : "# NUMBER OF PATTERNS: 2");
  file.write_record(record_);
  file.write_record(plot_ruler());

  write_pattern_header(file, kind.patterns.front().title.substr(0, kPatternTitleLength), points, 1);
}

void PlotWriter::write_pattern_header(RecordSink& file, std::string_view title, std::int32_t points,
                                      std::int32_t number) {
  if (number >= 1 && number <= static_cast<std::int32_t>(std::size(layout::kPatternMarkers))) {
    const layout::Marker& marker = layout::kPatternMarkers[number - 1];
    marker_code_ = marker.code;
    marker_size_ = marker.size;
  }

  write_labelled_digit(file, layout::kPatternNumber, number);
  write_labelled_text(file, layout::kTitle, title);
  format_record<"(A,I8)">(record_, layout::kPoints, points);
  file.write_record(record_);
  write_labelled_digit(file, layout::kMarker, marker_code_);
  write_labelled_digit(file, layout::kSize, marker_size_);
  write_text(file, layout::kData);
}

void PlotWriter::write_plot_row(RecordSink& file, float temperature, float value) {
  format_record<"(F6.2,1F20.5)">(record_, temperature, value);
  file.write_record(record_);
}

void PlotWriter::write_plot_end(RecordSink& file) {
  write_text(file, layout::kEnd);
}

}  // namespace rqo
