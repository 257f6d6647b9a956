#include "linear_fit.hpp"

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

}  // namespace tkx
