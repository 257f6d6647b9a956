#include "output/xy_files.hpp"

#include <string>
#include <string_view>

#include "driver/title.hpp"
#include "output/plot_files.hpp"
#include "output/table_file.hpp"
#include "records/formatted_input.hpp"
#include "records/io_status.hpp"

namespace rqo {

namespace {

constexpr std::size_t kTitleLineLength = 128;

// Lines from the current position to the end of the file (or the first failed read).
int count_remaining_records(InputFile& run_list) {
  int count = 0;
  std::string_view text;
  while (run_list.read_record(text, 0) == kStatusOk) ++count;
  return count;
}

}  // namespace

XyFiles::XyFiles(ErrorPolicy& policy) : table(policy) {
  for (auto& plot : plots) plot = std::make_unique<OutputFile>(policy);
}

void open_xy_files(InputFile& run_list, TextHolder& title, XyFiles& files, ErrorPolicy& policy) {
  files.expected_points = count_remaining_records(run_list);
  run_list.rewind();

  TextHolder line(kTitleLineLength);
  read_formatted_text(run_list, line, StatusMode::NotWanted, policy);
  derive_title(line.view(), title);
  read_formatted_text(run_list, line, StatusMode::NotWanted, policy);

  files.table.create(std::string(kTableFileName));
  write_table_header(files.table, title.view());

  const auto& kinds = plot_file_kinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    OutputFile& plot = *files.plots[i];
    plot.create(std::string(kinds[i].file_name));
    write_pgf_entete(plot, kinds[i].tag, title.view(), kXLegend, kinds[i].y_legend,
                     files.expected_points);
  }
}

void write_run_rows(XyFiles& files, const RunRecord& run) {
  write_table_row(files.table, run);
  const auto& kinds = plot_file_kinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    write_plot_row(*files.plots[i], run.temperature, kinds[i].patterns.front().value(run));
  }
}

void complete_plot_files(XyFiles& files, const RunTable& runs, int run_count) {
  const auto& kinds = plot_file_kinds();
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    OutputFile& plot = *files.plots[i];
    for (const PlotPattern& pattern : kinds[i].patterns.subspan(1)) {
      write_pgf_pattern(plot, pattern.title, run_count, pattern.number);
      for (int n = 1; n <= run_count; ++n) {
        write_plot_row(plot, runs[n].temperature, pattern.value(runs[n]));
      }
    }
  }
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    write_plot_end(*files.plots[i]);
    files.plots[i]->close();
  }
}

}  // namespace rqo
