#include "text_table.hpp"

#include "model/table_layout.hpp"

namespace kestrova {

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::vector<std::string_view> text_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

SeriesTable parse_series_table(std::string_view text) {
  using rqo::table_layout::kColumns;
  SeriesTable series;
  for (const auto& column : kColumns) series.table.columns.emplace_back(column.heading);
  bool first_line = true;
  for (const std::string_view line : text_lines(text)) {
    if (!line.empty() && line.front() == rqo::table_layout::kCommentMark) {
      if (first_line) series.title = trimmed(line.substr(1));
      first_line = false;
      continue;
    }
    first_line = false;
    if (trimmed(line).empty()) continue;
    std::vector<std::string> row;
    std::size_t position = 0;
    for (const auto& column : kColumns) {
      if (position >= line.size()) break;
      row.emplace_back(trimmed(line.substr(position, column.width)));
      position += column.width;
    }
    series.table.rows.push_back(std::move(row));
  }
  return series;
}

namespace {

std::vector<std::string> tab_fields(std::string_view line) {
  std::vector<std::string> fields;
  while (true) {
    const auto end = line.find('\t');
    fields.emplace_back(trimmed(line.substr(0, end)));
    if (end == std::string_view::npos) return fields;
    line.remove_prefix(end + 1);
  }
}

}  // namespace

TextTable parse_tsv(std::string_view text) {
  TextTable table;
  bool header = true;
  for (std::string_view line : text_lines(text)) {
    if (header) {
      if (line.starts_with("#")) line.remove_prefix(1);
      table.columns = tab_fields(line);
      header = false;
    } else if (!trimmed(line).empty()) {
      table.rows.push_back(tab_fields(line));
    }
  }
  return table;
}

}  // namespace kestrova
