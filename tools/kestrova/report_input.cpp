#include "report_input.hpp"

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "model/plot_file_kinds.hpp"
#include "model/table_layout.hpp"

namespace kestrova {

namespace {

// The expansion's tables, in the order the report shows them.
constexpr std::array<const char*, 6> kExpansionTables{
    "TK_expansion_summary.tsv", kTensorName,
    "TK_expansion_volume.tsv",  "TK_expansion_alpha.tsv",
    "TK_expansion_strain.tsv",  "TK_expansion_axes.tsv"};

// The file's text, or nothing when there is no such file.
std::optional<std::string> read_if_present(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UnreadableFile(utf8_name(path.filename()));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw UnreadableFile(utf8_name(path.filename()));
  return std::move(content).str();
}

std::filesystem::path path_of_utf8(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

std::optional<ReportPlot> read_plot(const std::filesystem::path& folder,
                                    const std::string& file_name, ReportInput& input) {
  const auto text = read_if_present(folder / path_of_utf8(file_name));
  if (!text) return std::nullopt;
  ReportPlot plot{file_name, plot_anchor(file_name), {}};
  try {
    plot.plot = parse_plot_file(*text);
  } catch (const FormatError& error) {
    throw NotAPlotFile(file_name, error.what());
  }
  input.files_used.push_back(file_name);
  return plot;
}

}  // namespace

std::string plot_anchor(const std::string& file_name) {
  std::string_view stem = file_name;
  if (stem.ends_with(".pgf")) stem.remove_suffix(4);
  std::string anchor;
  for (const char c : stem) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    anchor += plain ? c : '_';
  }
  return anchor;
}

std::string utf8_name(const std::filesystem::path& name) {
  const std::u8string text = name.u8string();
  return {text.begin(), text.end()};
}

ReportInput read_report_input(const std::filesystem::path& folder, const std::string& extra_plot) {
  ReportInput input;
  const std::string table_name(rqo::table_layout::kFileName);
  if (const auto text = read_if_present(folder / table_name)) {
    input.series = parse_series_table(*text);
    input.files_used.push_back(table_name);
  }
  bool extra_is_known = extra_plot.empty() || extra_plot == kStrainPlotName;
  for (const auto& kind : rqo::kPlotFileKinds) {
    const std::string name(kind.file_name);
    extra_is_known = extra_is_known || name == extra_plot;
    if (auto plot = read_plot(folder, name, input)) {
      input.plots.push_back(std::move(*plot));
    } else {
      input.missing_plots.push_back(name);
    }
  }
  if (!extra_is_known) {
    if (auto plot = read_plot(folder, extra_plot, input)) input.plots.push_back(std::move(*plot));
  }
  input.strain = read_plot(folder, kStrainPlotName, input);
  for (const char* name : kExpansionTables) {
    if (const auto text = read_if_present(folder / name)) {
      input.expansion.push_back({name, parse_tsv(*text)});
      input.files_used.push_back(name);
    }
  }
  return input;
}

}  // namespace kestrova
