// The computation against known results: the reference calculator's worked example, two
// series whose answer follows from geometry alone, and two principal strains that cross.
#include "analysis.hpp"

#include <gtest/gtest.h>

#include <Eigen/Core>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "geometry.hpp"
#include "input.hpp"
#include "report.hpp"
#include "worked_example.hpp"

namespace tkx {
namespace {

// The non-empty fields of the line whose first field is `key` in a tab-separated CR LF file.
std::vector<double> tsv_row(const std::string& contents, const std::string& key) {
  std::size_t start = 0;
  while (start < contents.size()) {
    const std::size_t end = contents.find("\r\n", start);
    const std::string line = contents.substr(start, end - start);
    start = end == std::string::npos ? contents.size() : end + 2;
    if (line.substr(0, line.find('\t')) != key) continue;
    std::vector<double> values;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos;
         tab = line.find('\t', tab + 1)) {
      const std::string field = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
      if (!field.empty()) values.push_back(std::stod(field));  // empty where nothing applies
    }
    return values;
  }
  ADD_FAILURE() << "no row " << key;
  return {};
}

TEST(TkExpansion, WorkedExampleAgreesToFourDecimalsInEveryTable) {
  const Series series = parse_series(kWorkedExample, "worked.txt", {});
  std::map<std::string, std::string> files;
  for (auto& file : output_files(series, analyse(series, {}), {})) files[file.name] = file.contents;

  struct Expected {
    std::string file, key;
    std::vector<double> values;
  };
  const std::vector<Expected> table = {
      {"TK_expansion_summary.tsv", "X1", {51.8962, 0.0231, 0.5727, -0.3498, 0.7413}},
      {"TK_expansion_summary.tsv", "X2", {9.9465, 0.0371, 0.9749, 0.1039, -0.1968}},
      {"TK_expansion_summary.tsv", "X3", {-4.3307, 0.0055, 0.1259, 0.9368, 0.3265}},
      {"TK_expansion_summary.tsv", "V", {57.4319, 0.0170}},
      {"TK_expansion_strain.tsv", "120", {-0.9340, -0.1793, 0.0780, -0.9336, -0.1799, 0.0781}},
      {"TK_expansion_volume.tsv", "120", {1027.8302, 1027.8276}},
      // The summary's directions are those of the middle row, 210 K.
      {"TK_expansion_axes.tsv",
       "210",
       {0.5727, -0.3498, 0.7413, 0.9749, 0.1039, -0.1968, 0.1259, 0.9368, 0.3265}},
  };
  for (const auto& [file, key, expected] : table) {
    const std::vector<double> actual = tsv_row(files[file], key);
    ASSERT_EQ(actual.size(), expected.size()) << file << " " << key;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_NEAR(actual[i], expected[i], 0.5e-4 + 1e-6) << file << " " << key << " field " << i;
    }
  }

  // Laid out like the tool's other plot files, so the plotting program draws it.
  const std::string& plot = files["TK_strain.pgf"];
  EXPECT_TRUE(plot.starts_with(
      "# MAIN LEGEND TEXT: worked.txt\r\n# X LEGEND TEXT   : Temperature (K)\r\n"
      "# Y LEGEND TEXT   : Principal strain (%), Eulerian finite\r\n# NUMBER OF PATTERNS: 3\r\n"
      "#--------------------------------------------------\r\n# >>>>>>>> PATTERN #: 1\r\n"
      "#             TITLE : X1_strain(%)=f(T)\r\n#  NUMBER OF POINTS :        7\r\n"
      "#            MARKER : 1\r\n#              SIZE : 2\r\n#   DATA: X Y\r\n"
      "300.00             0.00000\r\n270.00            -0.15515\r\n"))
      << plot;
  EXPECT_TRUE(plot.ends_with("120.00             0.07800\r\n# END OF FILE\r\n")) << plot;
}

// Cells of one orthorhombic series, a, b and c each exactly linear in T.
Series linear_orthorhombic() {
  Series series;
  for (int n = 0; n < 6; ++n) {
    const double t = 100.0 + 40.0 * n;
    const Cell cell{5.0 + 2e-4 * (t - 100.0),
                    7.0 - 1e-4 * (t - 100.0),
                    9.0 + 6e-4 * (t - 100.0),
                    90.0,
                    90.0,
                    90.0};
    series.rows.push_back({std::to_string(t), t, 1.0 + n, cell, n + 1});
  }
  return series;
}

TEST(TkExpansion, LinearCellsGiveTheirRelativeCoefficientsWithoutError) {
  const Expansion e =
      analyse(linear_orthorhombic(), with_strain({StrainKind::Lagrangian, /*finite=*/false}));
  const double expected[3] = {-1e-4 / 7.0 * 1e6, 2e-4 / 5.0 * 1e6, 6e-4 / 9.0 * 1e6};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(e.axes[i].alpha, expected[i], 1e-9) << "X" << i + 1;
    EXPECT_NEAR(e.axes[i].sigma, 0.0, 1e-9) << "X" << i + 1;
  }
}

// The same lattice with x ∥ a, y in the a-b plane.
Eigen::Matrix3d matrix_x_along_a(const Cell& cell) {
  const double r = std::numbers::pi / 180.0;
  const double ca = std::cos(cell.alpha * r), cb = std::cos(cell.beta * r);
  const double cg = std::cos(cell.gamma * r), sg = std::sin(cell.gamma * r);
  const double cy = (ca - cb * cg) / sg;
  Eigen::Matrix3d m;
  m << cell.a, cell.b * cg, cell.c * cb,  //
      0.0, cell.b * sg, cell.c * cy,      //
      0.0, 0.0, cell.c * std::sqrt(1.0 - cb * cb - cy * cy);
  return m;
}

TEST(TkExpansion, OnlyFiniteLagrangianPrincipalStrainsIgnoreTheCartesianFrame) {
  const Series series = parse_series(kWorkedExample, "worked.txt", {});
  const Cell& first = series.rows.front().cell;
  const Cell& last = series.rows.back().cell;
  struct Mode {
    StrainSettings settings;
    bool frame_independent;
  };
  const Mode modes[] = {{{StrainKind::Lagrangian, true}, true},
                        {{StrainKind::Lagrangian, false}, false},
                        {{StrainKind::Eulerian, true}, false},
                        {{StrainKind::Eulerian, false}, false}};
  for (const auto& [settings, frame_independent] : modes) {
    const auto in_frame = [&](auto matrix) {
      return principal_strains(strain_tensor(matrix(first), matrix(last), settings)).values;
    };
    const double difference =
        (in_frame(cartesian_matrix) - in_frame(matrix_x_along_a)).cwiseAbs().maxCoeff();
    if (frame_independent) {
      EXPECT_LT(difference, 1e-14);
    } else {
      EXPECT_GT(difference, 1e-8);  // second order in strains of ~1e-2
    }
  }
}

TEST(TkExpansion, AxesKeepTheirLabelsWhenTheirStrainsCross) {
  // Along a the strain grows linearly, along b it rises faster, then falls back below a's;
  // c stays the largest. Labels are the ascending order of the first strained row: a, b, c.
  Series series;
  for (int n = 0; n < 11; ++n) {
    const double d = 20.0 * n;  // K above the reference
    const Cell cell{6.0 * (1 + 20e-6 * d),
                    8.0 * (1 + 40e-6 * d - 0.19e-6 * d * d),
                    10.0 * (1 + 100e-6 * d),
                    90.0,
                    90.0,
                    90.0};
    series.rows.push_back({std::to_string(100 + d), 100 + d, 1.0, cell, n + 1});
  }
  const Expansion e = analyse(series, with_strain({StrainKind::Lagrangian, false}));
  ASSERT_GT(e.strains[1](1), e.strains[1](0));
  ASSERT_LT(e.strains.back()(1), e.strains.back()(0));  // they did cross

  EXPECT_NEAR(e.axes[0].alpha, 20.0, 1e-9);
  for (std::size_t n = 1; n < series.rows.size(); ++n) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(e.directions[n][i](i), 1.0, 1e-12) << "row " << n << " X" << i + 1;
    }
  }
}

}  // namespace
}  // namespace tkx

namespace tkx {
namespace {

// An orthorhombic series whose lengths follow L(T) = L₀ (1 + p (T − 100) + q (T − 100)²), with
// a small deterministic scatter; σT differs between rows.
struct Length {
  double l0, p, q;
  double at(double d) const { return l0 * (1.0 + p * d + q * d * d); }
  double slope(double d) const { return l0 * (p + 2.0 * q * d); }
};

Series curved_series(const std::array<Length, 3>& lengths, double scatter) {
  Series series;
  for (int n = 0; n < 12; ++n) {
    const double d = 20.0 * n;
    const double noise = 1.0 + scatter * std::sin(1.7 * n + 0.3);
    const Cell cell{lengths[0].at(d) * noise,
                    lengths[1].at(d) / noise,
                    lengths[2].at(d) * noise,
                    90.0,
                    90.0,
                    90.0};
    series.rows.push_back({std::to_string(100.0 + d), 100.0 + d, 1.0 + 0.5 * (n % 3), cell, n + 1});
  }
  return series;
}

TEST(TkExpansionFit, CurvedFitsRecoverAKnownAlphaOfTWithinTheirErrors) {
  // Strains against 100 K ascend a < b < c at every row: X1, X2, X3 are a, b, c.
  const std::array<Length, 3> lengths = {
      {{5.0, 2e-5, 4e-8}, {7.0, 5e-5, -2e-8}, {9.0, 9e-5, 3e-8}}};
  const Series series = curved_series(lengths, 2e-6);
  const FitKind kinds[] = {FitKind::Power, FitKind::Chebyshev};
  std::vector<Expansion> results;
  for (const FitKind kind : kinds) {
    Settings settings = with_strain({StrainKind::Lagrangian, /*finite=*/false});
    settings.fit = {kind, 2};
    results.push_back(analyse(series, settings));
    const Expansion& e = results.back();
    for (std::size_t n = 0; n < series.rows.size(); ++n) {
      const double d = series.rows[n].t - 100.0;
      const double l0[3] = {series.rows[0].cell.a, series.rows[0].cell.b, series.rows[0].cell.c};
      for (int i = 0; i < 3; ++i) {
        const double expected = lengths[i].slope(d) / l0[i] * 1e6;
        const Expansivity& got = e.rates[n][i];
        EXPECT_GT(got.sigma, 0.0);
        EXPECT_LT(got.sigma, 0.05 * std::abs(expected)) << "X" << i + 1 << " at " << d;
        EXPECT_LE(std::abs(got.alpha - expected), 3.0 * got.sigma)
            << "X" << i + 1 << " at T - 100 = " << d << ": " << got.alpha << " vs " << expected;
      }
    }
  }
  // Powers and Chebyshev polynomials of one degree are the same curves.
  for (std::size_t n = 0; n < series.rows.size(); ++n) {
    for (int q = 0; q < 4; ++q) {
      EXPECT_NEAR(results[0].rates[n][q].alpha, results[1].rates[n][q].alpha, 1e-8);
      EXPECT_NEAR(results[0].rates[n][q].sigma, results[1].rates[n][q].sigma, 1e-8);
    }
  }
}

// σ(α) of the default method to first order in the cell uncertainties, for an orthorhombic
// series with uncertain lengths: α = 10⁶ Σ kₙ εₙ with kₙ = wₙ(Tₙ − T̄)/Sxx, and
// εₙ = eₙ + eₙ²/2, eₙ = 1 − L₀/Lₙ (finite Eulerian along an axis).
TEST(TkExpansionFit, CellErrorsAgreeWithFirstOrderPropagation) {
  Series series;
  series.cell_sigmas = true;
  for (int n = 0; n < 8; ++n) {
    const double d = 20.0 * n;
    const double s = 1.0 + 0.5 * (n % 3);
    series.rows.push_back(
        {std::to_string(100.0 + d), 100.0 + d, 1.0 + 0.25 * (n % 2),
         Cell{5.0 * (1 + 1e-5 * d), 7.0 * (1 + 3e-5 * d), 9.0 * (1 + 6e-5 * d), 90.0, 90.0, 90.0},
         n + 1, Cell{2e-4 * s, 3e-4 / s, 4e-4 * s, 0.0, 0.0, 0.0}});
  }
  Settings settings;
  settings.cell_errors = true;
  settings.draws = 20000;
  const Expansion e = analyse(series, settings);

  const std::size_t count = series.rows.size();
  double sum_w = 0.0, sum_wt = 0.0, sxx = 0.0;
  for (const Row& row : series.rows) {
    sum_w += 1.0 / row.sigma_t;
    sum_wt += row.t / row.sigma_t;
  }
  const double t_mean = sum_wt / sum_w;
  for (const Row& row : series.rows) sxx += (row.t - t_mean) * (row.t - t_mean) / row.sigma_t;
  std::vector<double> k(count);
  for (std::size_t n = 0; n < count; ++n) {
    k[n] = (series.rows[n].t - t_mean) / series.rows[n].sigma_t / sxx;
  }
  const auto length = [&](std::size_t n, int i) {
    const Cell& c = series.rows[n].cell;
    return i == 0 ? c.a : i == 1 ? c.b : c.c;
  };
  const auto sigma = [&](std::size_t n, int i) {
    const Cell& c = series.rows[n].sigma;
    return i == 0 ? c.a : i == 1 ? c.b : c.c;
  };
  std::array<double, 4> expected{};
  for (int i = 0; i < 3; ++i) {  // X1, X2, X3 are a, b, c
    double d_first = 0.0, variance = 0.0;
    for (std::size_t n = 1; n < count; ++n) {
      const double l0 = length(0, i), ln = length(n, i), en = 1.0 - l0 / ln;
      const double d_ln = k[n] * (1.0 + en) * l0 / (ln * ln);
      d_first += -k[n] * (1.0 + en) / ln;
      variance += d_ln * d_ln * sigma(n, i) * sigma(n, i);
    }
    variance += d_first * d_first * sigma(0, i) * sigma(0, i);
    expected[i] = 1e6 * std::sqrt(variance);
  }
  // α_V = 10⁶ Σ kₙ Vₙ / V₀ with Vₙ = aₙ bₙ cₙ.
  const auto volume = [&](std::size_t n) { return length(n, 0) * length(n, 1) * length(n, 2); };
  double slope = 0.0;
  for (std::size_t n = 0; n < count; ++n) slope += k[n] * volume(n);
  double variance = 0.0;
  for (std::size_t n = 0; n < count; ++n) {
    for (int i = 0; i < 3; ++i) {
      const double dv = volume(n) / length(n, i);
      double derivative = k[n] * dv / volume(0);
      if (n == 0) derivative -= slope * dv / (volume(0) * volume(0));
      variance += derivative * derivative * sigma(n, i) * sigma(n, i);
    }
  }
  expected[3] = 1e6 * std::sqrt(variance);

  for (int q = 0; q < 4; ++q) {
    EXPECT_NEAR(e.sigma_cell[q], expected[q], 0.05 * expected[q]) << "quantity " << q;
    const double fit_sigma = q < 3 ? e.axes[q].sigma : e.volume.sigma;
    EXPECT_NEAR(e.sigma_total[q], std::hypot(fit_sigma, e.sigma_cell[q]), 1e-12);
  }
}

// The tensor of an orthorhombic series is diagonal along x ∥ a, y ∥ b, z ∥ c, whatever order
// the labels X1, X2, X3 put the axes in; and every TSV row has the header's number of fields.
TEST(TkExpansionFit, TensorOfAnOrthorhombicSeriesAndRegularTables) {
  Settings settings = with_strain({StrainKind::Lagrangian, /*finite=*/false});
  Series series = linear_orthorhombic();
  for (Row& row : series.rows) row.sigma = Cell{1e-4, 1e-4, 1e-4, 0.01, 0.01, 0.01};
  series.cell_sigmas = true;
  settings.cell_errors = true;
  settings.draws = 50;
  std::map<std::string, std::string> files;
  for (auto& file : output_files(series, analyse(series, settings), settings.strain)) {
    files[file.name] = file.contents;
  }
  const std::string& tensor = files["TK_expansion_tensor.tsv"];
  EXPECT_TRUE(tensor.starts_with("# row\tx\ty\tz\r\n")) << tensor;
  const double alpha[3] = {2e-4 / 5.0 * 1e6, -1e-4 / 7.0 * 1e6, 6e-4 / 9.0 * 1e6};
  const char* rows[3] = {"alpha_x", "alpha_y", "alpha_z"};
  const char* axes[3] = {"a", "b", "c"};
  for (int i = 0; i < 3; ++i) {
    const std::vector<double> tensor_row = tsv_row(tensor, rows[i]);
    const std::vector<double> axis = tsv_row(tensor, axes[i]);
    ASSERT_EQ(tensor_row.size(), 3u);
    ASSERT_EQ(axis.size(), 3u);
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(tensor_row[j], i == j ? alpha[i] : 0.0, 2e-6) << rows[i] << " " << j;
      EXPECT_NEAR(axis[j], i == j ? 1.0 : 0.0, 1e-6) << axes[i] << " " << j;
    }
  }

  for (const auto& [name, contents] : files) {
    if (!name.ends_with(".tsv")) continue;
    std::size_t fields = 0;
    for (std::size_t start = 0; start < contents.size();) {
      const std::size_t end = contents.find("\r\n", start);
      const std::string line = contents.substr(start, end - start);
      const auto count = static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1;
      if (start == 0) fields = count;
      EXPECT_EQ(count, fields) << name << ": " << line;
      start = end + 2;
    }
  }
}

}  // namespace
}  // namespace tkx
