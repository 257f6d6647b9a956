#include "summary.hpp"

#include <initializer_list>
#include <string_view>

#include "number_text.hpp"
#include "strain_plot.hpp"

namespace tkx {

namespace {

class Report {
 public:
  Report& operator<<(std::string_view text) {
    text_.append(text);
    return *this;
  }
  // A number with four decimals, right-aligned in `width` columns.
  Report& number(double value, std::size_t width) {
    const std::string digits = fixed_text(value, 4);
    if (digits.size() < width) text_.append(width - digits.size(), ' ');
    text_.append(digits);
    return *this;
  }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

std::string row_text(const Series& series, std::size_t n) {
  return concat({"row ", std::to_string(n + 1), " (line ", std::to_string(series.rows[n].line),
                 "), T = ", series.rows[n].t_text, " K"});
}

std::string_view cell_choice_text(CellChoice choice) {
  switch (choice) {
    case CellChoice::Min:
      return ", minimum cell";
    case CellChoice::Max:
      return ", maximum cell";
    case CellChoice::Mid:
      break;
  }
  return ", mean of minimum and maximum cell";
}

}  // namespace

std::string summary_text(const Series& series, const Expansion& expansion, const Options& options,
                         const std::vector<std::string>& file_names) {
  const bool table = series.format == InputFormat::Table;
  Report out;
  out << "Thermal expansion of " << series.file << "\n";
  if (!series.title.empty()) out << "  title       : " << series.title << "\n";
  out << "  input       : " << (table ? "parameter table, " : "column file, ")
      << std::to_string(series.rows.size()) << " rows"
      << (table ? cell_choice_text(options.table.cell) : "") << "\n";
  out << "  fit weights : 1/sigmaT, sigmaT ";
  if (table) {
    out << short_text(options.table.sigma_t) << " K for every row\n";
  } else {
    out << "from the file\n";
  }
  out << "  strain      : " << strain_mode_text(options.strain) << ", against "
      << row_text(series, 0) << "\n";
  out << "  directions  : at " << row_text(series, expansion.direction_row) << "\n\n";

  out << "  axis   alpha (MK^-1)   sigma (MK^-1)         u         v         w\n";
  const auto& uvw = expansion.directions[expansion.direction_row];
  for (int i = 0; i < 3; ++i) {
    out << "  X" << std::to_string(i + 1) << "   ";
    out.number(expansion.axes[i].alpha, 13).number(expansion.axes[i].sigma, 16);
    for (int k = 0; k < 3; ++k) out.number(uvw[i](k), 10);
    out << "\n";
  }
  out << "  V    ";
  out.number(expansion.volume.alpha, 13).number(expansion.volume.sigma, 16) << "\n";

  std::vector<std::string> warnings = expansion.warnings;
  if (!table && options.table_options_given) {
    warnings.insert(warnings.begin(),
                    "--cell and --sigma-t apply to a parameter table; a column file gives its "
                    "own cells and sigmaT, so they were not used");
  }
  if (!warnings.empty()) out << "\n";
  for (const auto& warning : warnings) out << "  warning: " << warning << "\n";

  out << "\n  written     :";
  for (std::size_t i = 0; i < file_names.size(); ++i) {
    out << (i > 0 && i % 3 == 0 ? "\n                " : " ") << file_names[i];
  }
  out << "\n";
  return out.take();
}

}  // namespace tkx
