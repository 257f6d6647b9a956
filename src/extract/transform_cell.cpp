#include "extract/transform_cell.hpp"

#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "extract/degree_cosine.hpp"
#include "extract/single_rounding.hpp"
#include "numerics/portable_arc_cosine.hpp"

namespace rqo {

namespace {

// Single-precision constants, each the float nearest to the exact value.
constexpr float kOneEighty = 180.0f;
constexpr float kOneOverPi = 0.318309873f;

// The old cell widened once; every product below is formed from these in double precision.
struct Metric {
  double a, b, c;
  double ca, cb, cg;
};

using Row = std::array<double, 3>;

Row row_of(const TransformMatrix& matrix, int i) {
  const auto& r = matrix.m[static_cast<std::size_t>(i)];
  return {r[0], r[1], r[2]};
}

// Squared length of the new axis with coefficients m, rounded to single precision.
float squared_length(const Row& m, const Metric& g) {
  double sum = (m[0] * m[0]) * (g.a * g.a);
  sum += (m[1] * m[1]) * (g.b * g.b);
  sum += (m[2] * m[2]) * (g.c * g.c);
  sum += ((((2.0 * m[0]) * m[1]) * g.a) * g.b) * g.cg;
  sum += ((((2.0 * m[0]) * m[2]) * g.a) * g.c) * g.cb;
  sum += ((((2.0 * m[1]) * m[2]) * g.b) * g.c) * g.ca;
  return round_to_single(sum);
}

// Scalar product of the new axes with coefficients p and q (not rounded).
double scalar_product(const Row& p, const Row& q, const Metric& g) {
  double sum = (p[0] * q[0]) * (g.a * g.a);
  sum += (p[1] * q[1]) * (g.b * g.b);
  sum += (p[2] * q[2]) * (g.c * g.c);
  sum += (p[0] * q[1] + p[1] * q[0]) * ((g.a * g.b) * g.cg);
  sum += (p[0] * q[2] + p[2] * q[0]) * ((g.a * g.c) * g.cb);
  sum += (p[1] * q[2] + p[2] * q[1]) * ((g.b * g.c) * g.ca);
  return sum;
}

float root_of(float square) {
  return round_to_single(std::sqrt(static_cast<double>(square)));
}

// Angle in degrees of a rounded cosine. A cosine beyond -1..1 is an argument error of the arc
// cosine: it is reported and gives 0 (above 1) or pi (below -1). NaN passes through silently.
float angle_of(float cosine, const char* name, ErrorPolicy& policy, const RunPlace& place) {
  const double x = cosine;
  const auto degrees = [](double radians) {
    return round_to_single((radians * static_cast<double>(kOneEighty)) *
                           static_cast<double>(kOneOverPi));
  };
  // The double-precision estimate of the arc cosine mostly suffices.
  Estimate estimate;
  float result;
  if (estimate_acos(x, estimate) && round_estimate(estimate, degrees, result)) return result;
  double radians;
  if (x > 1.0 || x < -1.0) {
    const bool above = x > 1.0;
    policy.report(Condition::AcosArgument,
                  place.describe() + ": cell transformation: arc cosine of a value " +
                      (above ? "above 1" : "below -1") + " for the new angle " + name +
                      "; the angle is set to " + (above ? "0" : "180") + " degrees");
    radians = above ? 0.0 : std::numbers::pi;
  } else {
    radians = portable_acos(x);
  }
  return degrees(radians);
}

}  // namespace

void transform_cell(const TransformMatrix& matrix, Cell& cell, ErrorPolicy& policy,
                    const RunPlace& place) {
  Metric g{cell.a, cell.b, cell.c, 0, 0, 0};
  g.ca = cos_degrees_single_pi(cell.alpha);
  g.cb = cos_degrees_single_pi(cell.beta);
  g.cg = cos_degrees_single_pi(cell.gamma);

  const Row m1 = row_of(matrix, 0);
  const Row m2 = row_of(matrix, 1);
  const Row m3 = row_of(matrix, 2);

  const float s1 = squared_length(m1, g);
  const float s2 = squared_length(m2, g);
  const float s3 = squared_length(m3, g);
  const float a = root_of(s1);
  const float b = root_of(s2);
  const float c = root_of(s3);

  const double p12 = scalar_product(m1, m2, g);
  const double p13 = scalar_product(m1, m3, g);
  const double p23 = scalar_product(m2, m3, g);

  // A zero-length axis gives 0/0 here: NaN cosines and NaN angles, no message.
  const double wide_a = a, wide_b = b, wide_c = c;
  const float cos_gamma = round_to_single(p12 / (wide_a * wide_b));
  const float cos_beta = round_to_single(p13 / (wide_a * wide_c));
  const float cos_alpha = round_to_single(p23 / (wide_b * wide_c));

  const float alpha = angle_of(cos_alpha, "alpha", policy, place);
  const float beta = angle_of(cos_beta, "beta", policy, place);
  const float gamma = angle_of(cos_gamma, "gamma", policy, place);

  cell.a = a;
  cell.b = b;
  cell.c = c;
  cell.alpha = alpha;
  cell.beta = beta;
  cell.gamma = gamma;
}

}  // namespace rqo
