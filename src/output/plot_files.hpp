#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "driver/run_table.hpp"
#include "records/record_sink.hpp"

namespace rqo {

// One data series of a plot file: its pattern number (which selects the marker), its title
// and the run value it shows against temperature.
struct PlotPattern {
  std::int32_t number;
  std::string_view title;
  float (*value)(const RunRecord&);
};

// One plot file: its name, its tag, its Y legend and its patterns in order.
struct PlotFileKind {
  std::string_view file_name;
  std::string_view tag;
  std::string_view y_legend;
  std::span<const PlotPattern> patterns;
};

inline constexpr std::string_view kXLegend = "Temperature (K)";

// The nine plot files in the order in which they are created, written and offered.
const std::array<PlotFileKind, 9>& plot_file_kinds();

// The five header lines, then the header of pattern 1 announcing `points`. The tag selects
// the first pattern's title and the number of patterns ("chi2": six, any other: two).
void write_pgf_entete(RecordSink& file, std::string_view tag, std::string_view main_legend,
                      std::string_view x_legend, std::string_view y_legend, std::int32_t points);

// The six header lines of one pattern. The pattern number selects the marker code and size.
void write_pgf_pattern(RecordSink& file, std::string_view title, std::int32_t points,
                       std::int32_t number);

// One data row: temperature under F6.2, value under F20.5.
void write_plot_row(RecordSink& file, float temperature, float value);

// The last line of a complete plot file.
void write_plot_end(RecordSink& file);

}  // namespace rqo
