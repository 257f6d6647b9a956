#include "analysis.hpp"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

#include "text.hpp"

namespace tkx {

namespace {

constexpr double kPerMegaKelvin = 1e6;
// Principal strains closer than this are equal: far above the rounding of the solver
// (~1e-18 for strains of a few percent), far below what a measured cell resolves (~1e-6).
constexpr double kEqualStrains = 1e-9;
// The strain a row must exceed, in units of what its printed digits resolve, to label the axes.
constexpr double kResolvedStrains = 10.0;
// A cell length or angle changing by more than this between neighbouring rows is not
// thermal expansion (runs indexed in another setting, say).
constexpr double kLargestStep = 0.05;
// Points of each fitted curve in the strain plot.
constexpr int kCurvePoints = 61;
// The Monte Carlo draws start from this seed, so a run repeats its numbers.
constexpr std::uint64_t kSeed = 20240607;

std::string row_name(const Series& series, std::size_t n) {
  return concat({"row ", std::to_string(n + 1), " (T = ", series.rows[n].t_text, " K)"});
}

void warn_equal_strains(const std::vector<Eigen::Vector3d>& strains, std::size_t reference,
                        Expansion& result) {
  static constexpr std::array<std::array<int, 2>, 3> kPairs = {{{0, 1}, {1, 2}, {0, 2}}};
  const std::size_t strained_rows = strains.size() - 1;
  for (const auto& [i, j] : kPairs) {
    std::size_t equal_rows = 0;
    for (std::size_t n = 0; n < strains.size(); ++n) {
      if (n != reference && std::abs(strains[n](i) - strains[n](j)) <= kEqualStrains) ++equal_rows;
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

void warn_unordered_temperatures(const Series& series, Expansion& result) {
  bool rises = false, falls = false;
  for (std::size_t n = 1; n < series.rows.size(); ++n) {
    rises = rises || series.rows[n].t > series.rows[n - 1].t;
    falls = falls || series.rows[n].t < series.rows[n - 1].t;
  }
  if (rises && falls) {
    result.warnings.push_back(
        "the temperatures neither only rise nor only fall along the file: the reference, the "
        "labelling row and the direction row are taken in file order");
  }
}

void warn_jumps(const Series& series, Expansion& result) {
  static constexpr const char* kNames[6] = {"a", "b", "c", "alpha", "beta", "gamma"};
  for (std::size_t n = 1; n < series.rows.size(); ++n) {
    const Cell& p = series.rows[n - 1].cell;
    const Cell& q = series.rows[n].cell;
    const double before[6] = {p.a, p.b, p.c, p.alpha, p.beta, p.gamma};
    const double after[6] = {q.a, q.b, q.c, q.alpha, q.beta, q.gamma};
    std::string names;
    for (int i = 0; i < 6; ++i) {
      if (std::abs(after[i] - before[i]) > kLargestStep * std::abs(before[i])) {
        names.append(names.empty() ? "" : ", ").append(kNames[i]);
      }
    }
    if (names.empty()) continue;
    result.warnings.push_back(
        concat({names, " change by more than 5% between ", row_name(series, n - 1), " and ",
                row_name(series, n), ": are the runs indexed in one setting?"}));
  }
}

std::size_t reference_row(const Series& series, const Settings& settings) {
  const std::size_t count = series.rows.size();
  if (settings.reference_row) {
    if (*settings.reference_row >= count) {
      throw InputError(series.file, 0,
                       concat({"--reference ", std::to_string(*settings.reference_row + 1),
                               ": the series has ", std::to_string(count), " rows"}));
    }
    return *settings.reference_row;
  }
  if (!settings.reference_t) return 0;
  std::size_t nearest = 0;
  for (std::size_t n = 1; n < count; ++n) {
    if (std::abs(series.rows[n].t - *settings.reference_t) <
        std::abs(series.rows[nearest].t - *settings.reference_t)) {
      nearest = n;
    }
  }
  return nearest;
}

void check_fit(const Series& series, const FitSettings& fit) {
  if (fit.kind == FitKind::Linear) return;
  std::vector<double> t;
  for (const Row& row : series.rows) t.push_back(row.t);
  std::sort(t.begin(), t.end());
  const auto distinct = static_cast<int>(std::unique(t.begin(), t.end()) - t.begin());
  const int needed = fit.degree + 2;
  if (distinct < needed) {
    throw InputError(
        series.file, 0,
        concat({"a fit of degree ", std::to_string(fit.degree), " needs at least ",
                std::to_string(needed), " different temperatures (", std::to_string(needed - 1),
                " coefficients and one more to estimate their errors); the series has ",
                std::to_string(distinct)}));
  }
}

// The principal strains of every row against the reference, tracked from the labelling row.
std::vector<PrincipalStrains> tracked_strains(const std::vector<Eigen::Matrix3d>& cells,
                                              std::size_t reference, std::size_t labelling,
                                              const StrainSettings& settings) {
  std::vector<PrincipalStrains> principal;
  for (const Eigen::Matrix3d& cell : cells) {
    principal.push_back(principal_strains(strain_tensor(cells[reference], cell, settings)));
  }
  track_axes(principal, reference, labelling);
  return principal;
}

// The largest |principal strain| of a row against what its and the reference's digits resolve.
bool resolved(const Series& series, const std::vector<PrincipalStrains>& principal,
              std::size_t reference, std::size_t n) {
  const double limit =
      kResolvedStrains * std::max(series.rows[reference].resolution, series.rows[n].resolution);
  return principal[n].values.cwiseAbs().maxCoeff() > limit;
}

// The expansivities of X1, X2, X3 and V at T from fits of the given strains and volumes.
struct Fits {
  std::array<CurveFit, 3> axes;
  CurveFit volume;
  double v0;
};

Fits fit_series(const std::vector<PrincipalStrains>& principal, const std::vector<double>& volumes,
                const std::vector<double>& t, const std::vector<double>& w, std::size_t reference,
                const FitSettings& settings) {
  const auto axis_fit = [&](int i) {
    std::vector<double> y;
    for (const auto& p : principal) y.push_back(p.values(i));
    return CurveFit(t, y, w, settings);
  };
  return {{axis_fit(0), axis_fit(1), axis_fit(2)},
          CurveFit(t, volumes, w, settings),
          volumes[reference]};
}

std::array<Expansivity, 4> rates_at(const Fits& fits, double t) {
  std::array<Expansivity, 4> rates{};
  for (int i = 0; i < 3; ++i) {
    rates[i] = {fits.axes[i].slope(t) * kPerMegaKelvin,
                fits.axes[i].slope_sigma(t) * kPerMegaKelvin};
  }
  rates[3] = {fits.volume.slope(t) / fits.v0 * kPerMegaKelvin,
              fits.volume.slope_sigma(t) / fits.v0 * kPerMegaKelvin};
  return rates;
}

// A standard normal deviate (Box–Muller) from a generator whose sequence every standard
// library gives alike.
class NormalDraws {
 public:
  double next() {
    if (spare_) {
      const double value = *spare_;
      spare_.reset();
      return value;
    }
    const double u1 = (static_cast<double>(engine_() >> 11) + 1.0) * 0x1p-53;  // (0, 1]
    const double u2 = static_cast<double>(engine_() >> 11) * 0x1p-53;          // [0, 1)
    const double radius = std::sqrt(-2.0 * std::log(u1));
    spare_ = radius * std::sin(2.0 * std::numbers::pi * u2);
    return radius * std::cos(2.0 * std::numbers::pi * u2);
  }

 private:
  std::mt19937_64 engine_{kSeed};
  std::optional<double> spare_;
};

// The spread of the summary's expansivities when every cell parameter of every row is drawn
// from a normal distribution about its value with its standard uncertainty.
std::array<double, 4> cell_error_spread(const Series& series, const Settings& settings,
                                        const std::vector<double>& t, const std::vector<double>& w,
                                        const Expansion& nominal,
                                        const Eigen::Matrix3d& labelling_vectors) {
  NormalDraws normal;
  std::array<double, 4> mean{}, squares{};
  std::vector<Eigen::Matrix3d> cells(series.rows.size());
  std::vector<double> volumes(series.rows.size());
  for (int draw = 1; draw <= settings.draws; ++draw) {
    for (std::size_t n = 0; n < series.rows.size(); ++n) {
      const Cell& c = series.rows[n].cell;
      const Cell& s = series.rows[n].sigma;
      const Cell drawn{c.a + s.a * normal.next(),       c.b + s.b * normal.next(),
                       c.c + s.c * normal.next(),       c.alpha + s.alpha * normal.next(),
                       c.beta + s.beta * normal.next(), c.gamma + s.gamma * normal.next()};
      if (!(drawn.a > 0.0 && drawn.b > 0.0 && drawn.c > 0.0 && angles_form_cell(drawn))) {
        throw InputError(series.file, series.rows[n].line,
                         "--cell-errors: a cell drawn within this row's uncertainties describes "
                         "no cell; they are too large to propagate");
      }
      cells[n] = cartesian_matrix(drawn);
      volumes[n] = cell_volume(drawn);
    }
    auto principal =
        tracked_strains(cells, nominal.reference_row, nominal.labelling_row, settings.strain);
    // The labels of the nominal series: X1 stays the axis nearest the nominal X1.
    const auto p =
        matching_permutation(labelling_vectors, principal[nominal.labelling_row].vectors);
    for (std::size_t n = 0; n < principal.size(); ++n) {
      if (n != nominal.reference_row) reorder(principal[n], p);
    }
    const Fits fits = fit_series(principal, volumes, t, w, nominal.reference_row, settings.fit);
    const auto rates = rates_at(fits, nominal.summary_t);
    for (int q = 0; q < 4; ++q) {  // Welford's running mean and sum of squares
      const double delta = rates[q].alpha - mean[q];
      mean[q] += delta / draw;
      squares[q] += delta * (rates[q].alpha - mean[q]);
    }
  }
  std::array<double, 4> spread{};
  for (int q = 0; q < 4; ++q) spread[q] = std::sqrt(squares[q] / (settings.draws - 1));
  return spread;
}

}  // namespace

Expansion analyse(const Series& series, const Settings& settings) {
  const std::size_t count = series.rows.size();
  check_fit(series, settings.fit);
  Expansion result;
  const std::size_t reference = reference_row(series, settings);
  result.reference_row = reference;
  std::vector<Eigen::Matrix3d> cells;
  std::vector<double> t, w;
  for (const Row& row : series.rows) {
    cells.push_back(cartesian_matrix(row.cell));
    result.volumes.push_back(cell_volume(row.cell));
    t.push_back(row.t);
    w.push_back(1.0 / row.sigma_t);
  }

  // The axes are named by the ascending order of the first row after the reference; when
  // that row is strained less than its digits resolve, its order is rounding noise, and the
  // first row strained beyond that names them instead.
  std::vector<std::size_t> others;
  for (std::size_t n = 0; n < count; ++n) {
    if (n != reference) others.push_back(n);
  }
  std::size_t labelling = others.front();
  std::vector<PrincipalStrains> principal =
      tracked_strains(cells, reference, labelling, settings.strain);
  if (!resolved(series, principal, reference, labelling)) {
    const auto strained = std::find_if(others.begin(), others.end(), [&](std::size_t n) {
      return resolved(series, principal, reference, n);
    });
    if (strained == others.end()) {
      result.warnings.push_back(
          "no row is strained beyond what its printed digits resolve: the labels X1, X2, X3 and "
          "the directions are rounding noise");
    } else {
      result.warnings.push_back(concat(
          {row_name(series, labelling),
           " is strained less than its printed digits resolve, so its order would be rounding "
           "noise: X1, X2, X3 are named by the ascending order at ",
           row_name(series, *strained)}));
      labelling = *strained;
      principal = tracked_strains(cells, reference, labelling, settings.strain);
    }
  }
  result.labelling_row = labelling;

  // The middle row in input order; when that is the strain-free reference, whose eigenvectors
  // are rounding noise, the labelling row is taken instead.
  result.direction_row = (count + 1) / 2 - 1;
  if (result.direction_row == reference) result.direction_row = labelling;

  const Fits fits = fit_series(principal, result.volumes, t, w, reference, settings.fit);
  result.curved = settings.fit.kind != FitKind::Linear;
  result.summary_t = settings.at.value_or(t[result.direction_row]);
  const auto summary = rates_at(fits, result.summary_t);
  for (int i = 0; i < 3; ++i) result.axes[i] = summary[i];
  result.volume = summary[3];

  for (std::size_t n = 0; n < count; ++n) {
    result.strains.push_back(principal[n].values);
    result.fitted_strains.emplace_back(fits.axes[0].at(t[n]), fits.axes[1].at(t[n]),
                                       fits.axes[2].at(t[n]));
    result.fitted_volumes.push_back(fits.volume.at(t[n]));
    result.rates.push_back(rates_at(fits, t[n]));
    std::array<Eigen::Vector3d, 3> uvw;
    for (int i = 0; i < 3; ++i) uvw[i] = crystal_direction(cells[n], principal[n].vectors.col(i));
    result.directions.push_back(uvw);
  }

  const auto [low, high] = std::minmax_element(t.begin(), t.end());
  if (result.curved) {
    for (int k = 0; k < kCurvePoints; ++k) {
      const double at = *low + (*high - *low) * k / (kCurvePoints - 1);
      result.curves.emplace_back(
          at, Eigen::Vector3d(fits.axes[0].at(at), fits.axes[1].at(at), fits.axes[2].at(at)));
    }
  }

  const Eigen::Matrix3d& axes = principal[result.direction_row].vectors;
  result.tensor = axes *
                  Eigen::Vector3d(result.axes[0].alpha, result.axes[1].alpha, result.axes[2].alpha)
                      .asDiagonal() *
                  axes.transpose();
  result.crystal_axes = cells[result.direction_row].colwise().normalized();

  if (settings.cell_errors) {
    if (!series.cell_sigmas) {
      throw InputError(series.file, 0,
                       "--cell-errors needs the cells' uncertainties: a parameter table (its "
                       "minimum and maximum cells) or a column file of 14 columns "
                       "(T sigma_T a sigma_a b sigma_b c sigma_c alpha sigma_alpha beta "
                       "sigma_beta gamma sigma_gamma)");
    }
    result.cell_errors = true;
    result.draws = settings.draws;
    result.sigma_cell =
        cell_error_spread(series, settings, t, w, result, principal[labelling].vectors);
    const std::array<double, 4> fit_sigma = {result.axes[0].sigma, result.axes[1].sigma,
                                             result.axes[2].sigma, result.volume.sigma};
    for (int q = 0; q < 4; ++q)
      result.sigma_total[q] = std::hypot(fit_sigma[q], result.sigma_cell[q]);
  }

  // Input within its limits gives finite results; should a fit still not, nothing is written.
  bool finite = result.tensor.allFinite();
  for (const auto& rates : result.rates) {
    for (const Expansivity& rate : rates) {
      finite = finite && std::isfinite(rate.alpha) && std::isfinite(rate.sigma);
    }
  }
  for (const double sigma : result.sigma_total) finite = finite && std::isfinite(sigma);
  if (!finite) {
    throw InputError(series.file, 0,
                     "the fits give no finite expansivity (temperatures too close for the fit?)");
  }

  if (count == 2) {
    result.warnings.insert(
        result.warnings.begin(),
        "only two rows: the errors are 0, as two points leave no scatter to estimate them from");
  }
  warn_equal_strains(result.strains, reference, result);
  warn_unordered_temperatures(series, result);
  warn_jumps(series, result);
  if (settings.at && (*settings.at < *low || *settings.at > *high)) {
    result.warnings.push_back(
        concat({"--at ", short_text(*settings.at), " K lies outside the data (", short_text(*low),
                " ... ", short_text(*high), " K): the fit is extrapolated"}));
  }
  return result;
}

}  // namespace tkx
