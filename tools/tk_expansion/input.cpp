#include "input.hpp"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "geometry.hpp"
#include "model/table_layout.hpp"
#include "text.hpp"

namespace tkx {

namespace {

constexpr std::string_view kBlanks = " \t";

// A table row's leading columns, up to the last one used: T, then minimum and maximum of a,
// b, c, alpha, beta, gamma; later fields (volumes, mosaicity, chi-square values) are not used.
namespace table = rqo::table_layout;
constexpr std::size_t kTableFieldCount = table::column_index("gamma_max") + 1;
constexpr auto kTableFields = [] {
  std::array<std::string_view, kTableFieldCount> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = table::kColumns[i].name;
  return names;
}();
// The minimum and maximum columns of a, b, c, alpha, beta, gamma.
constexpr std::array<std::pair<std::size_t, std::size_t>, 6> kCellColumns{{
    {table::column_index("a_min"), table::column_index("a_max")},
    {table::column_index("b_min"), table::column_index("b_max")},
    {table::column_index("c_min"), table::column_index("c_max")},
    {table::column_index("alpha_min"), table::column_index("alpha_max")},
    {table::column_index("beta_min"), table::column_index("beta_max")},
    {table::column_index("gamma_min"), table::column_index("gamma_max")},
}};

// A column file's row.
constexpr std::array<std::string_view, 8> kColumnFields = {"T", "sigma_T", "a",    "b",
                                                           "c", "alpha",   "beta", "gamma"};

std::vector<std::string_view> split_blanks(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t position = line.find_first_not_of(kBlanks);
  while (position != std::string_view::npos) {
    const std::size_t end = line.find_first_of(kBlanks, position);
    fields.push_back(line.substr(position, end - position));
    position = line.find_first_not_of(kBlanks, end);
  }
  return fields;
}

// A finite decimal number filling the whole field; NaN, Inf and overflow asterisks are not.
bool parse_number(std::string_view field, double& value) {
  if (field.starts_with('+') && !field.starts_with("+-")) field.remove_prefix(1);
  const char* end = field.data() + field.size();
  const auto result = std::from_chars(field.data(), end, value);
  return !field.empty() && result.ec == std::errc{} && result.ptr == end && std::isfinite(value);
}

// Reads the named fields into values; throws for a missing, extra or non-numeric value.
template <std::size_t N>
std::array<double, N> parse_fields(const std::vector<std::string_view>& fields,
                                   const std::array<std::string_view, N>& names, bool extra_allowed,
                                   const std::string& file, long line) {
  if (fields.size() < N || (!extra_allowed && fields.size() > N)) {
    std::string list;
    for (const auto name : names) list.append(list.empty() ? "" : " ").append(name);
    throw InputError(
        file, line,
        concat({fields.size() < N ? "missing value" : "too many values", ": ", std::to_string(N),
                " expected (", list, "), found ", std::to_string(fields.size())}));
  }
  std::array<double, N> values{};
  for (std::size_t i = 0; i < N; ++i) {
    if (!parse_number(fields[i], values[i])) {
      throw InputError(file, line, concat({names[i], " \"", fields[i], "\" is not a number"}));
    }
  }
  return values;
}

double chosen(double minimum, double maximum, CellChoice choice) {
  switch (choice) {
    case CellChoice::Min:
      return minimum;
    case CellChoice::Max:
      return maximum;
    case CellChoice::Mid:
      break;
  }
  return 0.5 * (minimum + maximum);
}

Row table_row(const std::vector<std::string_view>& fields, const TableOptions& options,
              const std::string& file, long line) {
  const auto v = parse_fields(fields, kTableFields, true, file, line);
  const auto pick = [&](std::size_t quantity) {
    const auto [minimum, maximum] = kCellColumns[quantity];
    return chosen(v[minimum], v[maximum], options.cell);
  };
  return Row{std::string(fields[0]), v[table::column_index("T")], options.sigma_t,
             Cell{pick(0), pick(1), pick(2), pick(3), pick(4), pick(5)}, line};
}

Row column_row(const std::vector<std::string_view>& fields, const std::string& file, long line) {
  const auto v = parse_fields(fields, kColumnFields, false, file, line);
  return Row{std::string(fields[0]), v[0], v[1], Cell{v[2], v[3], v[4], v[5], v[6], v[7]}, line};
}

void check_row(const Row& row, const std::string& file) {
  const Cell& c = row.cell;
  const std::array<std::pair<const char*, double>, 3> lengths = {
      {{"a", c.a}, {"b", c.b}, {"c", c.c}}};
  for (const auto& [name, length] : lengths) {
    if (!(length > 0.0)) {
      throw InputError(file, row.line,
                       concat({"length ", name, " = ", short_text(length), " A is not positive"}));
    }
  }
  if (!angles_form_cell(c)) {
    throw InputError(file, row.line,
                     concat({"angles ", short_text(c.alpha), ", ", short_text(c.beta), ", ",
                             short_text(c.gamma), " deg describe no cell"}));
  }
  if (!(row.sigma_t > 0.0)) {
    throw InputError(file, row.line,
                     concat({"sigma T = ", short_text(row.sigma_t), " K is not positive"}));
  }
}

}  // namespace

Series parse_series(std::string_view text, const std::string& file, const TableOptions& options) {
  Series series;
  series.file = file;
  bool format_known = false;
  bool title_read = false;
  long line_number = 0;
  while (!text.empty()) {
    // A line runs to the next LF; its text ends at its first CR or LF.
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = line.substr(0, line.find('\r'));
    ++line_number;

    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) continue;
    line.remove_prefix(first);
    if (!format_known) {
      series.format = line.starts_with('!') ? InputFormat::Table : InputFormat::Columns;
      format_known = true;
    }
    if (series.format == InputFormat::Table && line.starts_with('!')) {
      if (!title_read) {
        title_read = true;
        line.remove_prefix(1);
        const std::size_t start = line.find_first_not_of(kBlanks);
        const std::size_t stop = line.find_last_not_of(kBlanks);
        if (start != std::string_view::npos)
          series.title = std::string(line.substr(start, stop - start + 1));
      }
      continue;
    }
    if (series.format == InputFormat::Columns && line.starts_with('#')) continue;

    const auto fields = split_blanks(line);
    series.rows.push_back(series.format == InputFormat::Table
                              ? table_row(fields, options, file, line_number)
                              : column_row(fields, file, line_number));
    check_row(series.rows.back(), file);
  }

  if (series.rows.size() < 2) {
    throw InputError(file, 0,
                     concat({std::to_string(series.rows.size()),
                             series.rows.size() == 1 ? " data row" : " data rows",
                             "; at least two are needed"}));
  }
  bool all_equal = true;
  for (const Row& row : series.rows) all_equal = all_equal && row.t == series.rows.front().t;
  if (all_equal) {
    throw InputError(
        file, 0,
        concat({"all ", std::to_string(series.rows.size()), " rows are at the same temperature (",
                series.rows.front().t_text, " K); at least two temperatures are needed"}));
  }
  return series;
}

Series read_series(const std::string& path, const TableOptions& options) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"),
                                                           &std::fclose);
  if (!in) throw InputError(path, 0, concat({"cannot open: ", std::strerror(errno)}));
  std::string text;
  std::array<char, 1 << 16> buffer{};
  std::size_t count = 0;
  while ((count = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0) {
    text.append(buffer.data(), count);
  }
  if (std::ferror(in.get())) {
    throw InputError(path, 0, concat({"cannot read: ", std::strerror(errno)}));
  }
  return parse_series(text, path, options);
}

}  // namespace tkx
