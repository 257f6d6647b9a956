#include "input.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "geometry.hpp"
#include "model/table_layout.hpp"
#include "platform/native_path.hpp"
#include "text.hpp"

namespace tkx {

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

// A column file's row, without or with the cell's uncertainties.
constexpr std::array<std::string_view, 8> kColumnFields = {"T", "sigma_T", "a",    "b",
                                                           "c", "alpha",   "beta", "gamma"};
constexpr std::array<std::string_view, 14> kColumnFieldsWithSigmas = {
    "T",       "sigma_T", "a",           "sigma_a", "b",          "sigma_b", "c",
    "sigma_c", "alpha",   "sigma_alpha", "beta",    "sigma_beta", "gamma",   "sigma_gamma"};

// What a row's values must lie within: beyond these no cell or weight makes sense, and the
// arithmetic would lose every digit (weights 1/σT squared, volumes of cubed lengths).
constexpr double kShortestLength = 1e-3;     // Å
constexpr double kLongestLength = 1e4;       // Å
constexpr double kSmallestSigmaT = 1e-6;     // K
constexpr double kLargestSigmaT = 1e6;       // K
constexpr double kLargestTemperature = 1e6;  // K

// The standard deviation of a value spread uniformly between a minimum and a maximum.
double uniform_sigma(double minimum, double maximum) {
  return std::abs(maximum - minimum) / std::sqrt(12.0);
}

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
      throw InputError(file, line,
                       concat({names[i], " \"", escaped(fields[i]), "\" is not a number"}));
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

// Decimals written after the point of a number's text, less its decimal exponent.
int written_decimals(std::string_view text) {
  const std::size_t exponent = text.find_first_of("eE");
  int decimals = 0;
  if (const std::size_t point = text.find('.'); point != std::string_view::npos) {
    decimals = static_cast<int>(std::min(exponent, text.size()) - point - 1);
  }
  if (exponent != std::string_view::npos) {
    int power = 0;
    std::string_view digits = text.substr(exponent + 1);
    if (digits.starts_with('+')) digits.remove_prefix(1);
    std::from_chars(digits.data(), digits.data() + digits.size(), power);
    decimals -= power;
  }
  return decimals;
}

// The smallest strain the printed digits of a cell's lengths resolve: half a unit of the last
// decimal relative to the length, the largest of the three. (Angles are left out: a file
// writes 90 for a right angle that symmetry fixes exactly.)
double strain_resolution(const Cell& cell, const std::array<std::string_view, 3>& texts) {
  const double lengths[3] = {cell.a, cell.b, cell.c};
  double resolution = 0.0;
  for (int i = 0; i < 3; ++i) {
    resolution =
        std::max(resolution, 0.5 * std::pow(10.0, -written_decimals(texts[i])) / lengths[i]);
  }
  return resolution;
}

Row table_row(const std::vector<std::string_view>& fields, const TableOptions& options,
              const std::string& file, long line) {
  const auto v = parse_fields(fields, kTableFields, true, file, line);
  const auto pick = [&](std::size_t quantity) {
    const auto [minimum, maximum] = kCellColumns[quantity];
    return chosen(v[minimum], v[maximum], options.cell);
  };
  const auto spread = [&](std::size_t quantity) {
    const auto [minimum, maximum] = kCellColumns[quantity];
    return uniform_sigma(v[minimum], v[maximum]);
  };
  std::array<std::string_view, 3> texts;
  for (std::size_t i = 0; i < 3; ++i) texts[i] = fields[kCellColumns[i].first];
  Row row{std::string(fields[0]), v[table::column_index("T")], options.sigma_t,
          Cell{pick(0), pick(1), pick(2), pick(3), pick(4), pick(5)}, line};
  row.sigma = Cell{spread(0), spread(1), spread(2), spread(3), spread(4), spread(5)};
  row.resolution = strain_resolution(row.cell, texts);
  return row;
}

Row column_row(const std::vector<std::string_view>& fields, bool with_sigmas,
               const std::string& file, long line) {
  Row row;
  if (with_sigmas) {
    const auto v = parse_fields(fields, kColumnFieldsWithSigmas, false, file, line);
    row = Row{std::string(fields[0]), v[0], v[1], Cell{v[2], v[4], v[6], v[8], v[10], v[12]}, line};
    row.sigma = Cell{v[3], v[5], v[7], v[9], v[11], v[13]};
    row.resolution = strain_resolution(row.cell, {fields[2], fields[4], fields[6]});
    const double sigmas[6] = {v[3], v[5], v[7], v[9], v[11], v[13]};
    for (int i = 0; i < 6; ++i) {
      if (!(sigmas[i] >= 0.0)) {
        throw InputError(file, line,
                         concat({kColumnFieldsWithSigmas[3 + 2 * i], " = ", short_text(sigmas[i]),
                                 " is negative"}));
      }
    }
  } else {
    const auto v = parse_fields(fields, kColumnFields, false, file, line);
    row = Row{std::string(fields[0]), v[0], v[1], Cell{v[2], v[3], v[4], v[5], v[6], v[7]}, line};
    row.resolution = strain_resolution(row.cell, {fields[2], fields[3], fields[4]});
  }
  return row;
}

void check_row(const Row& row, const std::string& file) {
  const Cell& c = row.cell;
  if (!(std::abs(row.t) <= kLargestTemperature)) {
    throw InputError(file, row.line,
                     concat({"T = ", short_text(row.t), " K is beyond ",
                             short_text(kLargestTemperature), " K"}));
  }
  const std::array<std::pair<const char*, double>, 3> lengths = {
      {{"a", c.a}, {"b", c.b}, {"c", c.c}}};
  for (const auto& [name, length] : lengths) {
    if (!(length >= kShortestLength && length <= kLongestLength)) {
      throw InputError(
          file, row.line,
          concat({"length ", name, " = ", short_text(length), " A is not within ",
                  short_text(kShortestLength), " ... ", short_text(kLongestLength), " A"}));
    }
  }
  if (!angles_form_cell(c)) {
    throw InputError(file, row.line,
                     concat({"angles ", short_text(c.alpha), ", ", short_text(c.beta), ", ",
                             short_text(c.gamma), " deg describe no cell"}));
  }
  if (!(row.sigma_t >= kSmallestSigmaT && row.sigma_t <= kLargestSigmaT)) {
    throw InputError(file, row.line,
                     concat({"sigma T = ", short_text(row.sigma_t), " K is not within ",
                             short_text(kSmallestSigmaT), " ... ", short_text(kLargestSigmaT),
                             " K (the fit weights are 1/sigmaT)"}));
  }
}

// Refuses text that is not in an 8-bit encoding: UTF-16 (a byte-order mark, or NUL bytes).
void check_encoding(std::string_view text, const std::string& file) {
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
    throw InputError(file, 0, "UTF-16 text: save it as UTF-8 or ANSI");
  }
  const std::size_t nul = text.find('\0');
  if (nul == std::string_view::npos) return;
  // UTF-16 without a mark: plain text with every other byte NUL.
  const bool utf16 = text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0');
  if (utf16) throw InputError(file, 0, "UTF-16 text: save it as UTF-8 or ANSI");
  const long line = 1 + static_cast<long>(std::count(text.begin(), text.begin() + nul, '\n'));
  throw InputError(file, line, "NUL bytes: this is not a text file; save it as UTF-8 or ANSI");
}

}  // namespace

Series parse_series(std::string_view text, const std::string& file, const TableOptions& options) {
  Series series;
  series.file = file;
  bool format_known = false;
  bool title_read = false;
  long line_number = 0;
  check_encoding(text, file);
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::optional<bool> with_sigmas;  // set by the first row of a column file
  while (!text.empty()) {
    // CR LF, LF and a lone CR each end a line.
    const std::size_t end = text.find_first_of("\r\n");
    std::string_view line = text.substr(0, end);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end != std::string_view::npos && text[end] == '\r' && next < text.size() &&
        text[next] == '\n') {
      ++next;
    }
    text.remove_prefix(next);
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
    line = line.substr(0, line.find('#'));
    const auto fields = split_blanks(line);
    if (fields.empty()) continue;
    if (series.format == InputFormat::Table) {
      series.rows.push_back(table_row(fields, options, file, line_number));
    } else {
      if (!with_sigmas) with_sigmas = fields.size() == kColumnFieldsWithSigmas.size();
      series.rows.push_back(column_row(fields, *with_sigmas, file, line_number));
    }
    check_row(series.rows.back(), file);
  }

  series.cell_sigmas = series.format == InputFormat::Table || with_sigmas.value_or(false);
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
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(rqo::platform::open_file(path, "rb"),
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
