#include "extract/cell_volume.hpp"

#include <cmath>

#include "extract/degree_cosine.hpp"
#include "extract/single_rounding.hpp"

namespace rqo {

namespace {

// 180 - angle in double precision, rounded to single precision.
float supplement(float angle) {
  return round_to_single(180.0 - static_cast<double>(angle));
}

}  // namespace

void supplement_impossible_angles(Cell& cell) {
  const double ca = cos_degrees(cell.alpha);
  const double cb = cos_degrees(cell.beta);
  const double cg = cos_degrees(cell.gamma);
  const double test = ((2.0 * ca) * cb) * cg - ca * ca - cb * cb - cg * cg;
  if (test < -1.0) {
    cell.alpha = supplement(cell.alpha);
    cell.beta = supplement(cell.beta);
    cell.gamma = supplement(cell.gamma);
  }
}

float cell_volume(const Cell& cell) {
  const double ca = cos_degrees(cell.alpha);
  const double cb = cos_degrees(cell.beta);
  const double cg = cos_degrees(cell.gamma);
  const double radicand = ((1.0 + ((2.0 * ca) * cb) * cg) - ca * ca) - cb * cb - cg * cg;
  const double root = round_to_single(std::sqrt(radicand));
  const double a = cell.a;
  const double b = cell.b;
  const double c = cell.c;
  return round_to_single(((a * root) * b) * c);
}

}  // namespace rqo
