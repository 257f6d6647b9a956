#include "numerics/portable_arc_cosine.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

#include "numerics/double_double.hpp"

namespace rqo {

namespace {

constexpr dd::Value kPi{0x1.921fb54442d18p1, 0x1.1a62633145c07p-53};
constexpr dd::Value kHalfPi{0x1.921fb54442d18p0, 0x1.1a62633145c07p-54};

// Coefficients of arcsin(t) / t as a series in z = t^2: (2n)! / (4^n (n!)^2 (2n + 1)). For
// |t| <= 1/2 the 44 terms reach past 2^-97; from the 19th on they are below 2^-40 of the sum.
constexpr std::size_t kTerms = 44;
constexpr std::size_t kExactTerms = 18;

constexpr std::array<dd::Value, kTerms> arcsine_coefficients() {
  std::array<dd::Value, kTerms> c{};
  dd::Value central{1.0, 0.0};  // (2n)! / (4^n (n!)^2)
  for (std::size_t n = 0; n < kTerms; ++n) {
    if (n > 0) {
      const double k = static_cast<double>(n);
      central = dd::divide(dd::multiply(central, 2.0 * k - 1.0), 2.0 * k);
    }
    c[n] = dd::divide(central, 2.0 * static_cast<double>(n) + 1.0);
  }
  return c;
}

constexpr auto kArcsineSeries = arcsine_coefficients();

// arcsin(t) for |t| <= 1/2.
dd::Value arcsine(dd::Value t) {
  return dd::multiply(dd::polynomial(kArcsineSeries, kExactTerms, dd::multiply(t, t)), t);
}

// The square root of v >= 0, to double-double precision.
dd::Value square_root(double v) {
  if (v == 0.0) return {0.0, 0.0};
  const double root = std::sqrt(v);  // correctly rounded (IEEE 754)
  const dd::Value square = dd::two_product(root, root);
  const double remainder = (v - square.hi) - square.lo;
  return dd::quick_two_sum(root, remainder / (2.0 * root));
}

// The series cut off for the estimates: the first term past them stays below 2^-52 of the sum
// for |t| <= 1/2.
constexpr std::size_t kEstimateTerms = 22;

// arcsin t in double precision, |t| <= 1/2, good to a few ulps.
double estimate_arcsine(double t) {
  const double z = t * t;
  double sum = kArcsineSeries[kEstimateTerms - 1].hi;
  for (std::size_t n = kEstimateTerms - 1; n-- > 0;) sum = sum * z + kArcsineSeries[n].hi;
  return sum * t;
}

}  // namespace

bool estimate_acos(double x, Estimate& estimate) {
  if (!(x >= -1.0 && x <= 1.0)) return false;  // beyond -1..1, or NaN
  // 1 - x and 1 + x are exact where they are used; the square root is correctly rounded.
  if (x >= 0.5) {
    estimate = estimate_of(2.0 * estimate_arcsine(std::sqrt((1.0 - x) * 0.5)));
  } else if (x <= -0.5) {
    estimate = estimate_of(kPi.hi - 2.0 * estimate_arcsine(std::sqrt((1.0 + x) * 0.5)));
  } else {
    estimate = estimate_of(kHalfPi.hi - estimate_arcsine(x));
  }
  return true;
}

double portable_acos(double x) {
  if (x != x) return x + x;
  if (x > 1.0 || x < -1.0) return std::numeric_limits<double>::quiet_NaN();
  if (x >= 0.5) {
    // acos x = 2 arcsin(sqrt((1 - x) / 2)); 1 - x is exact here.
    const dd::Value half = arcsine(square_root((1.0 - x) * 0.5));
    return dd::add(half, half).hi;
  }
  if (x <= -0.5) {
    const dd::Value half = arcsine(square_root((1.0 + x) * 0.5));
    return dd::subtract(kPi, dd::add(half, half)).hi;
  }
  return dd::subtract(kHalfPi, arcsine({x, 0.0})).hi;
}

}  // namespace rqo
