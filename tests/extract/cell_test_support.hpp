#pragma once

#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <string>

#include "model/cell.hpp"
#include "model/run_place.hpp"

namespace rqo::test {

// The place reports name when a test cell is transformed.
inline const RunPlace kTestPlace{"runs.txt", 3, "run.out"};

inline std::string describe(const Cell& cell) {
  std::ostringstream out;
  out << std::setprecision(9) << "{" << cell.a << ", " << cell.b << ", " << cell.c << ", "
      << cell.alpha << ", " << cell.beta << ", " << cell.gamma << "}";
  return out.str();
}

inline std::string describe(const TransformMatrix& matrix) {
  std::ostringstream out;
  out << "[";
  for (const auto& row : matrix.m) out << "(" << row[0] << " " << row[1] << " " << row[2] << ")";
  out << "]";
  return out.str();
}

inline TransformMatrix matrix_of(float m11, float m12, float m13, float m21, float m22, float m23,
                                 float m31, float m32, float m33) {
  TransformMatrix t;
  t.m = {{{m11, m12, m13}, {m21, m22, m23}, {m31, m32, m33}}};
  return t;
}

// Lengths within a relative tolerance, angles within an absolute one (degrees).
inline bool cells_close(const Cell& x, const Cell& y, double length_tolerance,
                        double angle_tolerance) {
  auto length_ok = [&](double p, double q) {
    return std::abs(p - q) <= length_tolerance * std::max(std::abs(p), std::abs(q));
  };
  auto angle_ok = [&](double p, double q) { return std::abs(p - q) <= angle_tolerance; };
  return length_ok(x.a, y.a) && length_ok(x.b, y.b) && length_ok(x.c, y.c) &&
         angle_ok(x.alpha, y.alpha) && angle_ok(x.beta, y.beta) && angle_ok(x.gamma, y.gamma);
}

}  // namespace rqo::test
