#pragma once

#include <Eigen/Core>
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

// The curve a series is fitted with: a straight line (the default, the standard calculator's
// method), or a polynomial of degree 2 to 4 in powers or in Chebyshev polynomials of the
// temperature scaled to −1 … 1 over the data. Powers and Chebyshev polynomials of one degree
// span the same curves, so they give the same fit; the Chebyshev form is the better
// conditioned one.
enum class FitKind { Linear, Power, Chebyshev };

struct FitSettings {
  FitKind kind = FitKind::Linear;
  int degree = 1;
};

inline constexpr int kHighestDegree = 4;

// y = Σₖ cₖ φₖ(x) by least squares with weights w (minimising Σ w r², as the straight line
// does), with the coefficients' covariance in the same heteroscedasticity-consistent form:
// B·(Σ w² r² φ φᵀ)·B, B = (Σ w φ φᵀ)⁻¹. For the straight line the slope and its σ are the
// straight-line fit's own, digit for digit.
class CurveFit {
 public:
  CurveFit(std::span<const double> x, std::span<const double> y, std::span<const double> w,
           const FitSettings& settings);

  double at(double x) const;
  double slope(double x) const;
  double slope_sigma(double x) const;

 private:
  Eigen::VectorXd basis(double x) const;
  Eigen::VectorXd basis_slope(double x) const;

  FitSettings settings_;
  LinearFit line_;
  double centre_ = 0.0, half_range_ = 1.0;
  Eigen::VectorXd coefficients_;
  Eigen::MatrixXd covariance_;
};

}  // namespace tkx
