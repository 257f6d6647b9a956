#include "analysis.hpp"

#include <cmath>

#include "text.hpp"

namespace tkx {

LinearFit weighted_linear_fit(std::span<const double> x, std::span<const double> y,
                              std::span<const double> w) {
  double sum_w = 0.0, sum_wx = 0.0, sum_wy = 0.0;
  for (std::size_t n = 0; n < x.size(); ++n) {
    sum_w += w[n];
    sum_wx += w[n] * x[n];
    sum_wy += w[n] * y[n];
  }
  const double x_mean = sum_wx / sum_w;
  const double y_mean = sum_wy / sum_w;
  double sxx = 0.0, sxy = 0.0;
  for (std::size_t n = 0; n < x.size(); ++n) {
    sxx += w[n] * (x[n] - x_mean) * (x[n] - x_mean);
    sxy += w[n] * (x[n] - x_mean) * (y[n] - y_mean);
  }
  LinearFit fit;
  fit.slope = sxy / sxx;
  fit.intercept = y_mean - fit.slope * x_mean;
  double variance = 0.0;
  for (std::size_t n = 0; n < x.size(); ++n) {
    const double leverage = w[n] * (x[n] - x_mean);
    const double residual = y[n] - fit.at(x[n]);
    variance += leverage * leverage * residual * residual;
  }
  fit.slope_sigma = std::sqrt(variance) / sxx;
  return fit;
}

namespace {

constexpr double kPerMegaKelvin = 1e6;
// Principal strains closer than this are equal: far above the rounding of the solver
// (~1e-18 for strains of a few percent), far below what a measured cell resolves (~1e-6).
constexpr double kEqualStrains = 1e-9;

void warn_equal_strains(const std::vector<Eigen::Vector3d>& strains, Expansion& result) {
  static constexpr std::array<std::array<int, 2>, 3> kPairs = {{{0, 1}, {1, 2}, {0, 2}}};
  const std::size_t strained_rows = strains.size() - 1;
  for (const auto& [i, j] : kPairs) {
    std::size_t equal_rows = 0;
    for (std::size_t n = 1; n < strains.size(); ++n) {
      if (std::abs(strains[n](i) - strains[n](j)) <= kEqualStrains) ++equal_rows;
    }
    if (equal_rows == 0) continue;
    const std::string where =
        equal_rows == strained_rows
            ? std::string("every row")
            : concat({std::to_string(equal_rows), " of ", std::to_string(strained_rows), " rows"});
    result.warnings.push_back(concat({"X", std::to_string(i + 1), " and X", std::to_string(j + 1),
                                      " have equal principal strains at ", where,
                                      ": their directions within that plane are arbitrary"}));
  }
}

}  // namespace

Expansion analyse(const Series& series, const StrainSettings& settings) {
  const std::size_t count = series.rows.size();
  std::vector<Eigen::Matrix3d> cells;
  std::vector<PrincipalStrains> principal;
  std::vector<double> t, w;
  Expansion result;
  for (const Row& row : series.rows) {
    cells.push_back(cartesian_matrix(row.cell));
    principal.push_back(principal_strains(strain_tensor(cells.front(), cells.back(), settings)));
    result.volumes.push_back(cell_volume(row.cell));
    t.push_back(row.t);
    w.push_back(1.0 / row.sigma_t);
  }
  track_axes(principal);

  std::array<LinearFit, 3> fits;
  for (int i = 0; i < 3; ++i) {
    std::vector<double> y;
    for (const auto& p : principal) y.push_back(p.values(i));
    fits[i] = weighted_linear_fit(t, y, w);
    result.axes[i] = {fits[i].slope * kPerMegaKelvin, fits[i].slope_sigma * kPerMegaKelvin};
  }
  const LinearFit volume_fit = weighted_linear_fit(t, result.volumes, w);
  const double v0 = result.volumes.front();
  result.volume = {volume_fit.slope / v0 * kPerMegaKelvin,
                   volume_fit.slope_sigma / v0 * kPerMegaKelvin};

  for (std::size_t n = 0; n < count; ++n) {
    result.strains.push_back(principal[n].values);
    result.fitted_strains.emplace_back(fits[0].at(t[n]), fits[1].at(t[n]), fits[2].at(t[n]));
    result.fitted_volumes.push_back(volume_fit.at(t[n]));
    std::array<Eigen::Vector3d, 3> uvw;
    for (int i = 0; i < 3; ++i) uvw[i] = crystal_direction(cells[n], principal[n].vectors.col(i));
    result.directions.push_back(uvw);
  }

  // The middle row in input order; with two rows that would be the strain-free reference,
  // whose eigenvectors are rounding noise, so the one strained row is taken instead.
  result.direction_row = count == 2 ? 1 : (count + 1) / 2 - 1;
  if (count == 2) {
    result.warnings.push_back(
        "only two rows: the errors are 0, as two points leave no scatter to estimate them from");
  }
  warn_equal_strains(result.strains, result);
  return result;
}

}  // namespace tkx
