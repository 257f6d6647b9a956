#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// A table as its file holds it: column names and rows of fields, every field the file's text
// with the blanks around it taken off.
struct TextTable {
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

// The parameter table of a series: its title (the first comment line without its mark) and its
// rows cut at the layout's column widths.
struct SeriesTable {
  std::string title;
  TextTable table;
};

SeriesTable parse_series_table(std::string_view text);

// A tab-separated file: the first line names the columns ("# " before the first name is taken
// off), every further non-empty line is a row.
TextTable parse_tsv(std::string_view text);

// The lines of a text (CR LF or LF line ends), without their ends.
std::vector<std::string_view> text_lines(std::string_view text);

std::string_view trimmed(std::string_view text);

}  // namespace kestrova
