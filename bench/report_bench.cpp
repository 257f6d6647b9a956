// Google Benchmark of kestrova's report: reading a series folder (the table and the nine plot
// files) and writing the page, for the bundled series' size and for a long series.
#include <benchmark/benchmark.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "embedded_files.hpp"
#include "model/plot_file_kinds.hpp"
#include "model/plot_file_layout.hpp"
#include "model/table_layout.hpp"
#include "report_file.hpp"
#include "report_html.hpp"
#include "report_input.hpp"

namespace {

namespace fs = std::filesystem;
using namespace rqo::plot_layout;

// A value right-aligned in a field of `width` with `decimals` decimals.
std::string field(double value, std::size_t width, int decimals) {
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  const std::string text(buffer, end);
  return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

// A folder of a series of `runs` runs: the table and the nine plot files.
const fs::path& series_folder(int runs) {
  static std::map<int, fs::path> folders;
  auto& folder = folders[runs];
  if (!folder.empty()) return folder;
  folder = fs::temp_directory_path() / ("rqo-report-bench-" + std::to_string(runs));
  fs::create_directories(folder);
  std::string table = "! Benchmark series\r\n! Parameters\r\n! TK\r\n!---\r\n";
  for (int run = 0; run < runs; ++run) {
    std::string row = field(100.0 + 0.04 * run, 6, 2);
    for (std::size_t c = 1; c < rqo::table_layout::kColumns.size(); ++c)
      row += field(10.0 + 0.0001 * run + static_cast<double>(c),
                   rqo::table_layout::kColumns[c].width, rqo::table_layout::kColumns[c].decimals);
    table += row + "\r\n";
  }
  std::ofstream(folder / rqo::table_layout::kFileName, std::ios::binary) << table;
  for (const auto& kind : rqo::kPlotFileKinds) {
    std::string text = std::string(kMainLegend) + "Benchmark series\r\n" + std::string(kXLegend) +
                       std::string(kTemperatureLegend) + "\r\n" + std::string(kYLegend) +
                       std::string(kind.y_legend) + "\r\n" + std::string(kPatternCount) +
                       std::to_string(kind.patterns.size()) + "\r\n#" +
                       std::string(kRulerDashes, '-') + "\r\n";
    for (const auto& pattern : kind.patterns) {
      text += std::string(kPatternNumber) + std::to_string(pattern.number) + "\r\n" +
              std::string(kTitle) + std::string(pattern.title) + "\r\n" + std::string(kPoints) +
              field(runs, kPointsWidth, 0).substr(0) + "\r\n" + std::string(kMarker) + "1\r\n" +
              std::string(kSize) + "2\r\n" + std::string(kData) + "\r\n";
      for (int run = 0; run < runs; ++run)
        text += field(100.0 + 0.04 * run, kTemperatureWidth, kTemperatureDecimals) +
                field(10.0 + 0.0001 * run, kValueWidth, kValueDecimals) + "\r\n";
    }
    text += std::string(kEnd) + "\r\n";
    std::ofstream(folder / std::string(kind.file_name), std::ios::binary) << text;
  }
  return folder;
}

void BM_ReadSeries(benchmark::State& state) {
  const fs::path& folder = series_folder(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(kestrova::read_report_input(folder, ""));
}

void BM_WritePage(benchmark::State& state) {
  const auto input =
      kestrova::read_report_input(series_folder(static_cast<int>(state.range(0))), "");
  const kestrova::PageParts parts{kestrova::plotting_library(), kestrova::report_script(),
                                  kestrova::report_style()};
  for (auto _ : state) benchmark::DoNotOptimize(kestrova::report_html(input, parts));
}

// The whole of `kestrova --report`: read, write the page beside and rename it over.
void BM_WholeReport(benchmark::State& state) {
  const fs::path& folder = series_folder(static_cast<int>(state.range(0)));
  const kestrova::PageParts parts{kestrova::plotting_library(), kestrova::report_script(),
                                  kestrova::report_style()};
  std::size_t size = 0;
  for (auto _ : state) {
    const std::string page = kestrova::report_html(kestrova::read_report_input(folder, ""), parts);
    size = page.size();
    if (!kestrova::replace_file(folder / kestrova::kReportName, page).empty())
      state.SkipWithError("the report could not be written");
  }
  state.counters["page_bytes"] = static_cast<double>(size);
}

BENCHMARK(BM_ReadSeries)->Arg(12)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePage)->Arg(12)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeReport)->Arg(12)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
