#include "report.hpp"

#include <initializer_list>
#include <string_view>

#include "model/plot_file_layout.hpp"
#include "text.hpp"

namespace tkx {

namespace {

namespace layout = rqo::plot_layout;

constexpr std::string_view kEol = "\r\n";

void append_line(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (const std::string_view piece : pieces) out.append(piece);
  out.append(kEol);
}

}  // namespace

std::string strain_mode_text(const StrainSettings& settings) {
  return concat({settings.kind == StrainKind::Eulerian ? "Eulerian" : "Lagrangian",
                 settings.finite ? " finite" : " infinitesimal"});
}

std::string strain_plot(const Series& series, const Expansion& expansion,
                        const StrainSettings& settings) {
  const std::size_t count = series.rows.size();
  std::string points;
  append_fixed_field(points, static_cast<double>(count), layout::kPointsWidth, 0);
  std::string out;
  out.reserve(400 + 3 * (200 + 28 * count));
  append_line(out, {layout::kMainLegend, series.title.empty() ? series.file : series.title});
  append_line(out, {layout::kXLegend, layout::kTemperatureLegend});
  append_line(out, {layout::kYLegend, "Principal strain (%), ", strain_mode_text(settings)});
  const bool curves = !expansion.curves.empty();
  append_line(out, {layout::kPatternCount, curves ? "6" : "3"});
  append_line(out, {std::string(1, layout::kRulerMark), std::string(layout::kRulerDashes, '-')});
  for (int i = 0; i < 3; ++i) {
    const std::string number = std::to_string(i + 1);
    append_line(out, {layout::kPatternNumber, number});
    append_line(out, {layout::kTitle, "X", number, "_strain(%)=f(T)"});
    append_line(out, {layout::kPoints, points});
    append_line(out, {layout::kMarker, std::to_string(layout::kPatternMarkers[i].code)});
    append_line(out, {layout::kSize, std::to_string(layout::kPatternMarkers[i].size)});
    append_line(out, {layout::kData});
    for (std::size_t n = 0; n < count; ++n) {
      append_fixed_field(out, series.rows[n].t, layout::kTemperatureWidth,
                         layout::kTemperatureDecimals);
      append_fixed_field(out, 100.0 * expansion.strains[n](i), layout::kValueWidth,
                         layout::kValueDecimals);
      out.append(kEol);
    }
  }
  // The fitted curves of a polynomial fit, as three more patterns of many points.
  std::string curve_points;
  append_fixed_field(curve_points, static_cast<double>(expansion.curves.size()),
                     layout::kPointsWidth, 0);
  for (int i = 0; curves && i < 3; ++i) {
    const std::string number = std::to_string(i + 1);
    append_line(out, {layout::kPatternNumber, std::to_string(i + 4)});
    append_line(out, {layout::kTitle, "X", number, "_fit(%)=f(T)"});
    append_line(out, {layout::kPoints, curve_points});
    append_line(out, {layout::kMarker, "0"});
    append_line(out, {layout::kSize, "1"});
    append_line(out, {layout::kData});
    for (const auto& [t, strain] : expansion.curves) {
      append_fixed_field(out, t, layout::kTemperatureWidth, layout::kTemperatureDecimals);
      append_fixed_field(out, 100.0 * strain(i), layout::kValueWidth, layout::kValueDecimals);
      out.append(kEol);
    }
  }
  append_line(out, {layout::kEnd});
  return out;
}

namespace {

// One tab-separated line: the first field as text, then numbers with six decimals.
void append_row(std::string& out, std::string_view first, std::initializer_list<double> values) {
  out.append(first);
  for (const double value : values) out.append("\t").append(fixed_text(value, 6));
  out.append(kEol);
}

void append_header(std::string& out, std::string_view header) {
  out.append(header).append(kEol);
}

// With cell errors two more columns: σ from the cells alone and combined with the fit's.
std::string summary_tsv(const Expansion& e) {
  std::string out;
  append_header(out, e.cell_errors ? "# axis\talpha\tsigma_alpha\tu\tv\tw\tsigma_cell\tsigma_total"
                                   : "# axis\talpha\tsigma_alpha\tu\tv\tw");
  const auto& uvw = e.directions[e.direction_row];
  for (int i = 0; i < 3; ++i) {
    append_row(out, concat({"X", std::to_string(i + 1)}),
               {e.axes[i].alpha, e.axes[i].sigma, uvw[i](0), uvw[i](1), uvw[i](2)});
    if (e.cell_errors) {
      out.resize(out.size() - kEol.size());
      append_row(out, "", {e.sigma_cell[i], e.sigma_total[i]});
    }
  }
  // The volume has no direction: empty fields keep the row as wide as the header.
  out.append("V\t").append(fixed_text(e.volume.alpha, 6));
  out.append("\t").append(fixed_text(e.volume.sigma, 6)).append("\t\t\t");
  if (e.cell_errors) {
    append_row(out, "", {e.sigma_cell[3], e.sigma_total[3]});
  } else {
    out.append(kEol);
  }
  return out;
}

// The expansivities at each temperature from the slopes of the fits, with their σ.
std::string alpha_tsv(const Series& s, const Expansion& e) {
  std::string out;
  append_header(out, "# T\talpha1\tsigma1\talpha2\tsigma2\talpha3\tsigma3\talphaV\tsigmaV");
  for (std::size_t n = 0; n < s.rows.size(); ++n) {
    const auto& r = e.rates[n];
    append_row(out, s.rows[n].t_text,
               {r[0].alpha, r[0].sigma, r[1].alpha, r[1].sigma, r[2].alpha, r[2].sigma, r[3].alpha,
                r[3].sigma});
  }
  return out;
}

// The expansivity tensor's rows and the unit vectors along a, b, c, in one Cartesian frame.
std::string tensor_tsv(const Expansion& e) {
  std::string out;
  append_header(out, "# row\tx\ty\tz");
  static constexpr const char* kTensorRows[3] = {"alpha_x", "alpha_y", "alpha_z"};
  static constexpr const char* kAxes[3] = {"a", "b", "c"};
  for (int i = 0; i < 3; ++i) {
    append_row(out, kTensorRows[i], {e.tensor(i, 0), e.tensor(i, 1), e.tensor(i, 2)});
  }
  for (int i = 0; i < 3; ++i) {
    append_row(out, kAxes[i], {e.crystal_axes(0, i), e.crystal_axes(1, i), e.crystal_axes(2, i)});
  }
  return out;
}

std::string strain_tsv(const Series& s, const Expansion& e) {
  std::string out;
  append_header(out, "# T\te1\te2\te3\te1_fit\te2_fit\te3_fit");
  for (std::size_t n = 0; n < s.rows.size(); ++n) {
    const Eigen::Vector3d strain = 100.0 * e.strains[n];
    const Eigen::Vector3d fitted = 100.0 * e.fitted_strains[n];
    append_row(out, s.rows[n].t_text,
               {strain(0), strain(1), strain(2), fitted(0), fitted(1), fitted(2)});
  }
  return out;
}

std::string axes_tsv(const Series& s, const Expansion& e) {
  std::string out;
  append_header(out, "# T\tX1_u\tX1_v\tX1_w\tX2_u\tX2_v\tX2_w\tX3_u\tX3_v\tX3_w");
  for (std::size_t n = 0; n < s.rows.size(); ++n) {
    if (n == e.reference_row) continue;  // strain-free: its directions are rounding noise
    const auto& d = e.directions[n];
    append_row(out, s.rows[n].t_text,
               {d[0](0), d[0](1), d[0](2), d[1](0), d[1](1), d[1](2), d[2](0), d[2](1), d[2](2)});
  }
  return out;
}

std::string volume_tsv(const Series& s, const Expansion& e) {
  std::string out;
  append_header(out, "# T\tV\tV_fit");
  for (std::size_t n = 0; n < s.rows.size(); ++n) {
    append_row(out, s.rows[n].t_text, {e.volumes[n], e.fitted_volumes[n]});
  }
  return out;
}

std::string calculator_input(const Series& s) {
  std::string out;
  for (const Row& row : s.rows) {
    const Cell& c = row.cell;
    out.append(row.t_text);
    for (const double value : {row.sigma_t, c.a, c.b, c.c, c.alpha, c.beta, c.gamma}) {
      out.append(" ").append(short_text(value));
    }
    out.append(kEol);
  }
  return out;
}

}  // namespace

std::vector<OutputFile> output_files(const Series& series, const Expansion& expansion,
                                     const StrainSettings& settings) {
  return {{"TK_expansion_summary.tsv", summary_tsv(expansion)},
          {"TK_expansion_strain.tsv", strain_tsv(series, expansion)},
          {"TK_expansion_axes.tsv", axes_tsv(series, expansion)},
          {"TK_expansion_volume.tsv", volume_tsv(series, expansion)},
          {kStrainPlotName, strain_plot(series, expansion, settings)},
          {"TK_pascal_input.txt", calculator_input(series)},
          {"TK_expansion_alpha.tsv", alpha_tsv(series, expansion)},
          {"TK_expansion_tensor.tsv", tensor_tsv(expansion)}};
}

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

std::string fit_text(const FitSettings& fit) {
  switch (fit.kind) {
    case FitKind::Power:
      return concat({"polynomial of degree ", std::to_string(fit.degree)});
    case FitKind::Chebyshev:
      return concat({"Chebyshev polynomials to degree ", std::to_string(fit.degree)});
    case FitKind::Linear:
      break;
  }
  return "straight line";
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
  const Settings& settings = options.settings;
  out << "  strain      : " << strain_mode_text(settings.strain) << ", against "
      << row_text(series, expansion.reference_row) << "\n";
  if (expansion.curved || settings.at) {
    out << "  fit         : " << fit_text(settings.fit)
        << "; expansivities at T = " << short_text(expansion.summary_t) << " K\n";
  }
  if (expansion.cell_errors) {
    out << "  cell errors : Monte Carlo, " << std::to_string(expansion.draws) << " draws, "
        << (table ? "sigma = (max - min)/sqrt(12) of each table row" : "sigmas from the file")
        << "\n";
  }
  out << "  directions  : at " << row_text(series, expansion.direction_row) << "\n\n";

  const bool cell = expansion.cell_errors;
  out << "  axis   alpha (MK^-1)   sigma (MK^-1)         u         v         w"
      << (cell ? "   sigma_cell  sigma_total" : "") << "\n";
  const auto& uvw = expansion.directions[expansion.direction_row];
  for (int i = 0; i < 3; ++i) {
    out << "  X" << std::to_string(i + 1) << "   ";
    out.number(expansion.axes[i].alpha, 13).number(expansion.axes[i].sigma, 16);
    for (int k = 0; k < 3; ++k) out.number(uvw[i](k), 10);
    if (cell) out.number(expansion.sigma_cell[i], 13).number(expansion.sigma_total[i], 13);
    out << "\n";
  }
  out << "  V    ";
  out.number(expansion.volume.alpha, 13).number(expansion.volume.sigma, 16);
  if (cell) {
    out << std::string(30, ' ');
    out.number(expansion.sigma_cell[3], 13).number(expansion.sigma_total[3], 13);
  }
  out << "\n";

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
