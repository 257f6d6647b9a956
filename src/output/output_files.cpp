#include "output/output_files.hpp"

#include <string>

#include "model/table_layout.hpp"

namespace rqo {

OutputFiles::OutputFiles(ErrorPolicy& policy, FileSystem& files) : table_(policy, files) {
  for (auto& plot : plots_) plot = std::make_unique<OutputFile>(policy, files);
}

void OutputFiles::open(std::string_view title, std::int32_t expected_points) {
  table_.create(std::string(table_layout::kFileName));
  table_writer_.write_table_header(table_, title);

  for (std::size_t i = 0; i < kPlotFileKinds.size(); ++i) {
    OutputFile& plot = *plots_[i];
    plot.create(std::string(kPlotFileKinds[i].file_name));
    plot_writer_.write_plot_header(plot, kPlotFileKinds[i], title, expected_points);
  }
}

void OutputFiles::write_run_rows(const RunRecord& run) {
  table_writer_.write_table_row(table_, run);
  for (std::size_t i = 0; i < kPlotFileKinds.size(); ++i) {
    plot_writer_.write_plot_row(*plots_[i], run.temperature,
                                kPlotFileKinds[i].patterns.front().value(run));
  }
}

void OutputFiles::complete_plot_files(const RunTable& runs) {
  const auto points = static_cast<std::int32_t>(runs.size());
  for (std::size_t i = 0; i < kPlotFileKinds.size(); ++i) {
    OutputFile& plot = *plots_[i];
    for (const PlotPattern& pattern : kPlotFileKinds[i].patterns.subspan(1)) {
      plot_writer_.write_pattern_header(plot, pattern.title, points, pattern.number);
      for (const RunRecord& run : runs)
        plot_writer_.write_plot_row(plot, run.temperature, pattern.value(run));
    }
  }
  for (auto& plot : plots_) {
    plot_writer_.write_plot_end(*plot);
    plot->close();
  }
}

void OutputFiles::flush_table() {
  table_.flush();
}

void OutputFiles::close() {
  for (auto& plot : plots_)
    if (plot->is_open()) plot->close();
  if (table_.is_open()) table_.close();
}

}  // namespace rqo
