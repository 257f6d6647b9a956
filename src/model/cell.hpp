#pragma once

#include <array>

namespace rqo {

// A unit cell: a, b, c in angstrom, then alpha, beta, gamma in degrees.
struct Cell {
  float a = 0, b = 0, c = 0;
  float alpha = 0, beta = 0, gamma = 0;
};

// Row i gives new axis i as a combination of the old axes a, b, c.
struct TransformMatrix {
  std::array<std::array<float, 3>, 3> m{};

  static TransformMatrix identity() {
    TransformMatrix t;
    t.m[0][0] = t.m[1][1] = t.m[2][2] = 1.0f;
    return t;
  }
};

}  // namespace rqo
