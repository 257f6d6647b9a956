#include "fits.hpp"

#include <Eigen/Cholesky>
#include <Eigen/QR>
#include <algorithm>
#include <cmath>

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

CurveFit::CurveFit(std::span<const double> x, std::span<const double> y, std::span<const double> w,
                   const FitSettings& settings)
    : settings_(settings) {
  if (settings_.kind == FitKind::Linear) {
    line_ = weighted_linear_fit(x, y, w);
    return;
  }
  const auto [low, high] = std::minmax_element(x.begin(), x.end());
  centre_ = 0.5 * (*low + *high);
  half_range_ = 0.5 * (*high - *low);
  const auto count = static_cast<Eigen::Index>(x.size());
  Eigen::MatrixXd design(count, settings_.degree + 1);
  Eigen::VectorXd root_w(count), values(count);
  for (Eigen::Index n = 0; n < count; ++n) {
    design.row(n) = basis(x[n]).transpose();
    root_w(n) = std::sqrt(w[n]);
    values(n) = y[n];
  }
  // Least squares of √w·(design·c − y) by a QR decomposition, not the normal equations.
  const Eigen::MatrixXd weighted = root_w.asDiagonal() * design;
  coefficients_ = weighted.colPivHouseholderQr().solve(root_w.cwiseProduct(values));
  const Eigen::MatrixXd bread =
      (weighted.transpose() * weighted)
          .ldlt()
          .solve(Eigen::MatrixXd::Identity(settings_.degree + 1, settings_.degree + 1));
  Eigen::MatrixXd meat = Eigen::MatrixXd::Zero(settings_.degree + 1, settings_.degree + 1);
  for (Eigen::Index n = 0; n < count; ++n) {
    const double residual = values(n) - design.row(n).dot(coefficients_);
    const Eigen::VectorXd g = w[static_cast<std::size_t>(n)] * residual * design.row(n).transpose();
    meat += g * g.transpose();
  }
  covariance_ = bread * meat * bread;
}

Eigen::VectorXd CurveFit::basis(double x) const {
  const double s = (x - centre_) / half_range_;
  Eigen::VectorXd phi(settings_.degree + 1);
  phi(0) = 1.0;
  if (settings_.degree >= 1) phi(1) = s;
  for (int k = 2; k <= settings_.degree; ++k) {
    phi(k) =
        settings_.kind == FitKind::Chebyshev ? 2.0 * s * phi(k - 1) - phi(k - 2) : s * phi(k - 1);
  }
  return phi;
}

// dφₖ/dx: for powers k sᵏ⁻¹; for Chebyshev polynomials T'ₖ = 2 Tₖ₋₁ + 2 s T'ₖ₋₁ − T'ₖ₋₂
// (from Tₖ = 2 s Tₖ₋₁ − Tₖ₋₂); both over the half range, ds/dx.
Eigen::VectorXd CurveFit::basis_slope(double x) const {
  const double s = (x - centre_) / half_range_;
  const Eigen::VectorXd phi = basis(x);
  Eigen::VectorXd d(settings_.degree + 1);
  d(0) = 0.0;
  if (settings_.degree >= 1) d(1) = 1.0;
  for (int k = 2; k <= settings_.degree; ++k) {
    d(k) = settings_.kind == FitKind::Chebyshev ? 2.0 * phi(k - 1) + 2.0 * s * d(k - 1) - d(k - 2)
                                                : k * phi(k - 1);
  }
  return d / half_range_;
}

double CurveFit::at(double x) const {
  if (settings_.kind == FitKind::Linear) return line_.at(x);
  return basis(x).dot(coefficients_);
}

double CurveFit::slope(double x) const {
  if (settings_.kind == FitKind::Linear) return line_.slope;
  return basis_slope(x).dot(coefficients_);
}

double CurveFit::slope_sigma(double x) const {
  if (settings_.kind == FitKind::Linear) return line_.slope_sigma;
  const Eigen::VectorXd g = basis_slope(x);
  return std::sqrt(std::max(0.0, g.dot(covariance_ * g)));
}

}  // namespace tkx
