#pragma once

#include <span>

namespace tkx {

// y = intercept + slope·x by weighted least squares. slope_sigma is the heteroscedasticity-
// consistent standard error of the slope (White's HC0, no small-sample factor):
// var = Σ w²(x − x̄)² r² / Sxx², with x̄ and Sxx weighted and r the residuals.
struct LinearFit {
  double intercept = 0.0;
  double slope = 0.0;
  double slope_sigma = 0.0;

  double at(double x) const { return intercept + slope * x; }
};

// x, y and w of equal length; the weighted spread of x must not be zero.
LinearFit weighted_linear_fit(std::span<const double> x, std::span<const double> y,
                              std::span<const double> w);

}  // namespace tkx
