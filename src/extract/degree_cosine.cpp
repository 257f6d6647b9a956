#include "extract/degree_cosine.hpp"

#include "extract/single_rounding.hpp"
#include "numerics/portable_cosine.hpp"

namespace rqo {

namespace {

// The double nearest to pi / 180.
constexpr double kDegreesToRadians = 0.017453292519943295;

// Single-precision constants, each the float nearest to the exact value.
constexpr float kPi = 3.14159274f;
constexpr float kOneOver180 = 0.00555555569f;

// portable_cos rounded to single precision; the double-precision estimate mostly suffices.
float single_cos(double radians) {
  Estimate estimate;
  float result;
  if (estimate_cos(radians, estimate) && round_estimate(estimate, round_to_single, result))
    return result;
  return round_to_single(portable_cos(radians));
}

}  // namespace

float cos_degrees(float degrees) {
  const double radians = static_cast<double>(degrees) * kDegreesToRadians;
  return single_cos(radians);
}

float cos_degrees_single_pi(float degrees) {
  const double radians =
      (static_cast<double>(kPi) * static_cast<double>(degrees)) * static_cast<double>(kOneOver180);
  return single_cos(radians);
}

}  // namespace rqo
