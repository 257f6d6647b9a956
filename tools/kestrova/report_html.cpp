#include "report_html.hpp"

#include <cstdlib>
#include <string>

#include "json_text.hpp"
#include "model/table_layout.hpp"

namespace kestrova {

namespace {

// Plots of more points than this are dense: drawn as lines without markers, which stay quick
// with many thousands of points (every point still shows its values on hover).
constexpr std::size_t kDensePoints = 2000;

void append_strings(std::string& out, const std::vector<std::string>& texts) {
  out += '[';
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) out += ',';
    append_json_string(out, texts[i]);
  }
  out += ']';
}

void append_key(std::string& out, std::string_view key) {
  append_json_string(out, key);
  out += ':';
}

// Appends a text member and the comma after it: "key":"value",
void append_text_member(std::string& out, std::string_view key, std::string_view value) {
  append_key(out, key);
  append_json_string(out, value);
  out += ',';
}

// One trace: its name, whether it is a fitted line (drawn without markers), the marker code
// and its points as the file's texts.
struct TraceData {
  std::string_view name;
  bool line_only;
  int marker;
  std::vector<std::string> x;
  std::vector<std::string> y;
};

bool names_a_fit(std::string_view name) {
  return name.find("fit") != std::string_view::npos || name.find("Fit") != std::string_view::npos;
}

void append_plot(std::string& out, std::string_view anchor, std::string_view file_name,
                 std::string_view title, std::string_view x_title, std::string_view y_title,
                 const std::vector<TraceData>& traces) {
  std::size_t points = 0;
  for (const TraceData& trace : traces) points += trace.x.size();
  out += '{';
  append_text_member(out, "anchor", anchor);
  append_text_member(out, "file", file_name);
  append_text_member(out, "title", title);
  append_text_member(out, "xTitle", x_title);
  append_text_member(out, "yTitle", y_title);
  append_key(out, "dense");
  out += points > kDensePoints ? "true" : "false";
  out += ',';
  append_key(out, "traces");
  out += '[';
  for (std::size_t i = 0; i < traces.size(); ++i) {
    if (i > 0) out += ',';
    out += '{';
    append_text_member(out, "name", traces[i].name);
    append_key(out, "lineOnly");
    out += traces[i].line_only ? "true" : "false";
    out += ',';
    append_key(out, "marker");
    out += std::to_string(traces[i].marker);
    out += ',';
    append_key(out, "x");
    append_strings(out, traces[i].x);
    out += ',';
    append_key(out, "y");
    append_strings(out, traces[i].y);
    out += '}';
  }
  out += "]}";
}

void append_plot_file(std::string& out, const ReportPlot& entry) {
  std::vector<TraceData> traces;
  for (const Pattern& pattern : entry.plot.patterns) {
    TraceData trace{pattern.title, names_a_fit(pattern.title), pattern.marker, {}, {}};
    for (const Point& point : pattern.points) {
      trace.x.push_back(point.x_text);
      trace.y.push_back(point.y_text);
    }
    traces.push_back(std::move(trace));
  }
  append_plot(out, entry.anchor, entry.file_name, entry.plot.main_legend, entry.plot.x_legend,
              entry.plot.y_legend, traces);
}

bool column_is_numeric(const TextTable& table, std::size_t column) {
  for (const auto& row : table.rows)
    if (column >= row.size() || !is_number(row[column])) return false;
  return true;
}

// A table is plotted when its first column is numeric in every row: its other numeric columns
// against the first.
bool is_plotted(const ReportTable& entry, bool strain_plot_present) {
  if (strain_plot_present && entry.file_name == "TK_expansion_strain.tsv") return false;
  return entry.table.rows.size() >= 2 && entry.table.columns.size() >= 2 &&
         column_is_numeric(entry.table, 0);
}

void append_table_plot(std::string& out, const ReportTable& entry) {
  const TextTable& table = entry.table;
  std::vector<TraceData> traces;
  for (std::size_t c = 1; c < table.columns.size(); ++c) {
    if (!column_is_numeric(table, c)) continue;
    TraceData trace{table.columns[c], names_a_fit(table.columns[c]), 1, {}, {}};
    for (const auto& row : table.rows) {
      trace.x.push_back(row[0]);
      trace.y.push_back(row[c]);
    }
    traces.push_back(std::move(trace));
  }
  append_plot(out, plot_anchor(entry.file_name), entry.file_name, entry.file_name, table.columns[0],
              "", traces);
}

void append_html_table(std::string& out, const TextTable& table, std::string_view class_name) {
  out += "<div class=\"table-wrap\"><table class=\"";
  out += class_name;
  out += "\">\n<thead><tr>";
  for (const std::string& column : table.columns) {
    out += "<th>";
    append_html_text(out, column);
    out += "</th>";
  }
  out += "</tr></thead>\n<tbody>\n";
  for (const auto& row : table.rows) {
    out += "<tr>";
    for (const std::string& field : row) {
      out += "<td>";
      append_html_text(out, field);
    }
    out += "\n";
  }
  out += "</tbody></table></div>\n";
}

void append_plot_section(std::string& out, const ReportPlot& entry) {
  out += "<section class=\"plot-section\" id=\"";
  out += entry.anchor;
  out += "\">\n<h2>";
  append_html_text(out, entry.plot.y_legend.empty() ? entry.file_name : entry.plot.y_legend);
  out += "</h2>\n<p class=\"source\">";
  append_html_text(out, entry.file_name);
  out += "</p>\n<div class=\"plot\" id=\"plot-";
  out += entry.anchor;
  out += "\"></div>\n</section>\n";
}

// The temperature range as the file's texts: the lowest and the highest value.
std::pair<std::string, std::string> temperature_range(const std::vector<std::string>& texts) {
  std::pair<std::string, std::string> range;
  double low = 0;
  double high = 0;
  bool any = false;
  for (const std::string& text : texts) {
    if (!is_number(text)) continue;
    const double value = std::strtod(text.c_str(), nullptr);
    if (!any || value < low) {
      low = value;
      range.first = text;
    }
    if (!any || value > high) {
      high = value;
      range.second = text;
    }
    any = true;
  }
  return range;
}

void append_header(std::string& out, const ReportInput& input) {
  std::string title = input.series ? input.series->title : "";
  if (title.empty() && !input.plots.empty()) title = input.plots.front().plot.main_legend;
  out += "<header>\n<h1>";
  append_html_text(out, title.empty() ? "Series report" : title);
  out += "</h1>\n<dl class=\"facts\">\n";

  std::vector<std::string> temperatures;
  std::size_t runs = 0;
  if (input.series) {
    runs = input.series->table.rows.size();
    for (const auto& row : input.series->table.rows)
      if (!row.empty()) temperatures.push_back(row[0]);
  } else if (!input.plots.empty() && !input.plots.front().plot.patterns.empty()) {
    const Pattern& first = input.plots.front().plot.patterns.front();
    runs = first.points.size();
    for (const Point& point : first.points) temperatures.push_back(point.x_text);
  }
  out += "<dt>Runs</dt><dd id=\"run-count\">" + std::to_string(runs) + "</dd>\n";
  const auto [low, high] = temperature_range(temperatures);
  if (!low.empty()) {
    out += "<dt>Temperature</dt><dd>";
    append_html_text(out, low);
    out += " K to ";
    append_html_text(out, high);
    out += " K</dd>\n";
  }
  out += "<dt>Made from</dt><dd>";
  for (std::size_t i = 0; i < input.files_used.size(); ++i) {
    if (i > 0) out += ", ";
    append_html_text(out, input.files_used[i]);
  }
  if (input.files_used.empty()) out += "no file of the series";
  out += "</dd>\n";
  if (!input.missing_plots.empty()) {
    out += "<dt>Left out</dt><dd class=\"missing\">";
    for (std::size_t i = 0; i < input.missing_plots.size(); ++i) {
      if (i > 0) out += ", ";
      append_html_text(out, input.missing_plots[i]);
    }
    out += input.missing_plots.size() == 1 ? " is" : " are";
    out += " not in the folder</dd>\n";
  }
  out += "</dl>\n<nav>";
  for (const ReportPlot& plot : input.plots) {
    out += "<a href=\"#" + plot.anchor + "\">";
    append_html_text(out, plot.file_name);
    out += "</a> ";
  }
  if (input.series) out += "<a href=\"#table\">table</a> ";
  if (!input.expansion.empty() || input.strain) out += "<a href=\"#expansion\">expansion</a>";
  out += "</nav>\n</header>\n";
}

const TextTable* find_table(const ReportInput& input, std::string_view name) {
  for (const ReportTable& entry : input.expansion)
    if (entry.file_name == name) return &entry.table;
  return nullptr;
}

void append_expansion(std::string& out, const ReportInput& input) {
  if (input.expansion.empty() && !input.strain) return;
  out += "<section id=\"expansion\">\n<h2>Thermal expansion</h2>\n";
  if (const TextTable* summary = find_table(input, "TK_expansion_summary.tsv")) {
    out +=
        "<h3>Principal expansivities (MK<sup>-1</sup>) and axes in crystal coordinates</h3>\n"
        "<p class=\"source\">TK_expansion_summary.tsv</p>\n";
    append_html_table(out, *summary, "numbers");
  }
  if (find_table(input, kTensorName) != nullptr) {
    out +=
        "<section class=\"plot-section\" id=\"indicatrix\">\n<h3>Expansivity indicatrix</h3>\n"
        "<p class=\"source\">TK_expansion_tensor.tsv: radius |&alpha;(n)| = |n&middot;&alpha;"
        "&middot;n| along every direction n; positive and negative in two colours</p>\n"
        "<div class=\"plot indicatrix\" id=\"plot-indicatrix\"></div>\n</section>\n";
  }
  if (input.strain) append_plot_section(out, *input.strain);
  for (const ReportTable& entry : input.expansion) {
    if (entry.file_name == "TK_expansion_summary.tsv") continue;
    const std::string anchor = plot_anchor(entry.file_name);
    out += "<section class=\"table-section\" id=\"" + anchor + "\">\n<h3>";
    append_html_text(out, entry.file_name);
    out += "</h3>\n";
    if (is_plotted(entry, input.strain.has_value()))
      out += "<div class=\"plot\" id=\"plot-" + anchor + "\"></div>\n";
    append_html_table(out, entry.table, "numbers");
    out += "</section>\n";
  }
  out += "</section>\n";
}

void append_data(std::string& out, const ReportInput& input) {
  out += "<script id=\"report-data\" type=\"application/json\">{";
  append_key(out, "plots");
  out += "[\n";
  bool first = true;
  const auto next = [&] {
    if (!first) out += ",\n";
    first = false;
  };
  for (const ReportPlot& plot : input.plots) {
    next();
    append_plot_file(out, plot);
  }
  if (input.strain) {
    next();
    append_plot_file(out, *input.strain);
  }
  for (const ReportTable& entry : input.expansion) {
    if (!is_plotted(entry, input.strain.has_value())) continue;
    next();
    append_table_plot(out, entry);
  }
  out += "],\n";
  append_key(out, "tensor");
  if (const TextTable* tensor = find_table(input, kTensorName)) {
    out += '{';
    bool first_row = true;
    for (const auto& row : tensor->rows) {
      if (row.size() < 4) continue;
      if (!first_row) out += ',';
      first_row = false;
      append_key(out, row[0]);
      append_strings(out, {row[1], row[2], row[3]});
    }
    out += '}';
  } else {
    out += "null";
  }
  out += "}</script>\n";
}

}  // namespace

bool is_number(std::string_view text) {
  if (text.empty() || text.find_first_not_of("+-.0123456789eE") != std::string_view::npos)
    return false;
  const std::string copy(text);
  char* end = nullptr;
  std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size();
}

std::string report_html(const ReportInput& input, const PageParts& parts) {
  std::string out;
  out.reserve(parts.library.size() + 4096);
  std::string title = input.series ? input.series->title : "Series report";
  out +=
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
  append_html_text(out, title);
  out += "</title>\n<style>\n";
  out += parts.style;
  out += "</style>\n<script>\n";
  out += parts.library;
  out += "\n</script>\n</head>\n<body>\n";
  append_header(out, input);
  out += "<main>\n";
  for (const ReportPlot& plot : input.plots) append_plot_section(out, plot);
  if (input.series) {
    out += "<section id=\"table\">\n<h2>Table</h2>\n<p class=\"source\">";
    append_html_text(out, rqo::table_layout::kFileName);
    out += "</p>\n";
    append_html_table(out, input.series->table, "numbers series-table");
    out += "</section>\n";
  }
  append_expansion(out, input);
  out += "</main>\n";
  append_data(out, input);
  out += "<script>\n";
  out += parts.script;
  out += "</script>\n</body>\n</html>\n";
  return out;
}

}  // namespace kestrova
