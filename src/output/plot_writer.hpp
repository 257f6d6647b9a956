#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/plot_file_kinds.hpp"
#include "records/record_sink.hpp"

namespace rqo {

// Writes the records of plot files. One writer serves all the plot files of a series: the
// marker that a pattern number selects stays in force for a later pattern whose number
// selects none, across files.
class PlotWriter {
 public:
  // The five header lines of a plot file of this kind, then the header of its first pattern
  // announcing `points`.
  void write_plot_header(RecordSink& file, const PlotFileKind& kind, std::string_view main_legend,
                         std::int32_t points);

  // The six header lines of one pattern. The pattern number selects the marker code and size.
  void write_pattern_header(RecordSink& file, std::string_view title, std::int32_t points,
                            std::int32_t number);

  // One data row: temperature under F6.2, value under F20.5.
  void write_plot_row(RecordSink& file, float temperature, float value);

  // The last line of a complete plot file.
  void write_plot_end(RecordSink& file);

 private:
  void write_labelled_text(RecordSink& file, std::string_view label, std::string_view text);
  void write_labelled_digit(RecordSink& file, std::string_view label, std::int32_t value);
  void write_text(RecordSink& file, std::string_view text);

  std::string record_;  // reused for every record
  std::int32_t marker_code_ = 0;
  std::int32_t marker_size_ = 0;
};

}  // namespace rqo
