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
