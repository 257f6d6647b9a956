#include "extract/cell_volume.hpp"

#include <cmath>

#include "extract/single_rounding.hpp"

namespace rqo {

namespace {

// The double nearest to pi / 180.
constexpr double kDegreesToRadians = 0.017453292519943295;

// 180 - angle in double precision, rounded to single precision.
float supplement(float angle) {
  return round_to_single(180.0 - static_cast<double>(angle));
}

}  // namespace

float cosd(float degrees) {
  const double radians = static_cast<double>(degrees) * kDegreesToRadians;
  return round_to_single(std::cos(radians));
}

void volume_calculation(Cell& cell, float& volume) {
  double ca = cosd(cell.alpha);
  double cb = cosd(cell.beta);
  double cg = cosd(cell.gamma);

  // Negative radicand: the angles describe no real cell. Their supplements keep the squares
  // and turn the sign of the product term. A NaN test value does not qualify.
  const double test = ((2.0 * ca) * cb) * cg - ca * ca - cb * cb - cg * cg;
  if (test < -1.0) {
    cell.alpha = supplement(cell.alpha);
    cell.beta = supplement(cell.beta);
    cell.gamma = supplement(cell.gamma);
    ca = cosd(cell.alpha);
    cb = cosd(cell.beta);
    cg = cosd(cell.gamma);
  }

  const double radicand = ((1.0 + ((2.0 * ca) * cb) * cg) - ca * ca) - cb * cb - cg * cg;
  const double root = round_to_single(std::sqrt(radicand));
  const double a = cell.a;
  const double b = cell.b;
  const double c = cell.c;
  volume = round_to_single(((a * root) * b) * c);
}

}  // namespace rqo
