#include "output/plot_writer.hpp"

#include <algorithm>
#include <array>

#include "model/plot_file_layout.hpp"
#include "records/edit_list_literal.hpp"
#include "records/formatted_output.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace {

namespace layout = plot_layout;

// Title lengths are bounded by the 64-character holder the first pattern's title lives in.
constexpr std::size_t kPatternTitleLength = 64;

// A data row, and the label with the number of points.
constexpr FixedString kRowEdits{"(F6.2,1F20.5)"};
constexpr FixedString kPointsEdits{"(A,I8)"};

constexpr EditDescriptor fixed_field(std::size_t width, int decimals) {
  return {EditKind::Fixed, static_cast<int>(width), decimals};
}
static_assert(kEditList<kRowEdits>.size() == 2 &&
                  kEditList<kRowEdits>[0] ==
                      fixed_field(layout::kTemperatureWidth, layout::kTemperatureDecimals) &&
                  kEditList<kRowEdits>[1] ==
                      fixed_field(layout::kValueWidth, layout::kValueDecimals),
              "the row's edit list disagrees with the plot-file layout");
static_assert(kEditList<kPointsEdits>[1] ==
                  EditDescriptor{EditKind::Integer, static_cast<int>(layout::kPointsWidth)},
              "the point count's edit list disagrees with the plot-file layout");

// The pattern count is written as one digit.
static_assert(std::ranges::all_of(kPlotFileKinds,
                                  [](const PlotFileKind& kind) {
                                    return kind.patterns.size() < 10;
                                  }),
              "a plot file of more than nine patterns");

// (A1,50A1) of "#" and 50 dashes.
const std::string& plot_ruler() {
  static const std::string ruler = [] {
    std::string record;
    format_ruler(record, layout::kRulerMark, '-', layout::kRulerDashes);
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
  write_labelled_digit(file, layout::kPatternCount,
                       static_cast<std::int32_t>(kind.patterns.size()));
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
  format_record<kPointsEdits>(record_, layout::kPoints, points);
  file.write_record(record_);
  write_labelled_digit(file, layout::kMarker, marker_code_);
  write_labelled_digit(file, layout::kSize, marker_size_);
  write_text(file, layout::kData);
}

void PlotWriter::write_plot_row(RecordSink& file, float temperature, float value) {
  format_record<kRowEdits>(record_, temperature, value);
  file.write_record(record_);
}

void PlotWriter::write_plot_end(RecordSink& file) {
  write_text(file, layout::kEnd);
}

}  // namespace rqo
