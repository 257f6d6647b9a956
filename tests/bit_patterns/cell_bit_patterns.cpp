// Prints, or checks against a file of them, the bit patterns of the cell arithmetic's results
// for a fixed set of angles and cells: both degree cosines of each angle (0, 90, 180, 270 and
// the floats next to them, large, tiny and special values, and a pseudo-random sample), then
// each cell transformed by each of a set of matrices, with the volumes of both cells. The file
// tests/data/cell_bit_patterns.txt was made on Linux; every build, the Windows one included,
// must give it back bit for bit.
//
//   cell_bit_patterns              prints the patterns
//   cell_bit_patterns FILE         compares them with FILE; exit 1 and the differences if any

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "extract/cell_volume.hpp"
#include "extract/degree_cosine.hpp"
#include "extract/transform_cell.hpp"
#include "model/cell.hpp"
#include "records/error_policy.hpp"

namespace {

using rqo::Cell;
using rqo::TransformMatrix;

std::string hex(float value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08x",
                static_cast<unsigned>(std::bit_cast<std::uint32_t>(value)));
  return text;
}

// A fixed pseudo-random sequence (the same on every platform).
class Sequence {
 public:
  std::uint32_t next() {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<std::uint32_t>(state_ >> 32);
  }
  // A float from lowest to highest.
  float uniform(float lowest, float highest) {
    const double unit = static_cast<double>(next()) / 4294967296.0;
    return static_cast<float>(lowest + (highest - lowest) * unit);
  }

 private:
  std::uint64_t state_ = 0x2545F4914F6CDD1Du;
};

std::vector<float> angles() {
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> list = {0.0f,
                             -0.0f,
                             30.0f,
                             45.0f,
                             60.0f,
                             89.999f,
                             90.001f,
                             120.0f,
                             179.999f,
                             270.0f,
                             360.0f,
                             720.0f,
                             -90.0f,
                             -180.0f,
                             1e-3f,
                             1e-20f,
                             1e-45f,
                             1e5f,
                             1e10f,
                             1e20f,
                             1e30f,
                             3e38f,
                             std::numeric_limits<float>::max(),
                             inf,
                             -inf,
                             std::numeric_limits<float>::quiet_NaN()};
  for (const float centre : {0.0f, 90.0f, 180.0f, 270.0f, 360.0f}) {
    float up = centre, down = centre;
    for (int step = 0; step < 4; ++step) {
      up = std::nextafter(up, inf);
      down = std::nextafter(down, -inf);
      list.push_back(up);
      list.push_back(down);
    }
    list.push_back(centre);
  }
  Sequence sequence;
  for (int i = 0; i < 2000; ++i) list.push_back(sequence.uniform(-720.0f, 720.0f));
  for (int i = 0; i < 200; ++i) list.push_back(std::bit_cast<float>(sequence.next()));
  return list;
}

std::vector<Cell> cells() {
  std::vector<Cell> list = {
      {5.0f, 5.0f, 5.0f, 90.0f, 90.0f, 90.0f},
      {10.21f, 12.43f, 7.85f, 90.0f, 104.37f, 90.0f},
      {4.913f, 4.913f, 5.405f, 90.0f, 90.0f, 120.0f},
      {7.1f, 8.2f, 9.3f, 72.5f, 81.25f, 95.125f},
      {6.0f, 6.0f, 6.0f, 150.0f, 150.0f, 150.0f},  // no real cell: supplemented
      {3.0f, 4.0f, 5.0f, 0.0f, 0.0f, 0.0f},
      {3.0f, 4.0f, 5.0f, 180.0f, 90.0f, 90.0f},
      {1.0f, 1.0f, 1.0f, std::nextafter(90.0f, 0.0f), 90.0f, std::nextafter(90.0f, 180.0f)},
      {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
  };
  Sequence sequence;
  for (int i = 0; i < 100; ++i) {
    list.push_back({sequence.uniform(2.0f, 30.0f), sequence.uniform(2.0f, 30.0f),
                    sequence.uniform(2.0f, 30.0f), sequence.uniform(60.0f, 120.0f),
                    sequence.uniform(60.0f, 120.0f), sequence.uniform(60.0f, 120.0f)});
  }
  return list;
}

std::vector<TransformMatrix> matrices() {
  std::vector<TransformMatrix> list = {TransformMatrix::identity()};
  TransformMatrix swap;
  swap.m = {{{0, 1, 0}, {1, 0, 0}, {0, 0, -1}}};
  TransformMatrix centred;
  centred.m = {{{1, 1, 0}, {-1, 1, 0}, {0, 0, 1}}};
  TransformMatrix rhombohedral;
  rhombohedral.m = {{{2.0f / 3, 1.0f / 3, 1.0f / 3},
                     {-1.0f / 3, 1.0f / 3, 1.0f / 3},
                     {-1.0f / 3, -2.0f / 3, 1.0f / 3}}};
  TransformMatrix flat;  // a zero row: a zero-length axis
  flat.m = {{{1, 0, 0}, {0, 0, 0}, {0, 0, 1}}};
  list.insert(list.end(), {swap, centred, rhombohedral, flat});
  Sequence sequence;
  for (int i = 0; i < 20; ++i) {
    TransformMatrix random;
    for (auto& row : random.m)
      for (float& element : row)
        element = static_cast<float>(static_cast<int>(sequence.next() % 5) - 2);
    list.push_back(random);
  }
  return list;
}

std::string cell_text(const Cell& cell) {
  return hex(cell.a) + " " + hex(cell.b) + " " + hex(cell.c) + " " + hex(cell.alpha) + " " +
         hex(cell.beta) + " " + hex(cell.gamma);
}

// The volume as the driver forms it: impossible angles supplemented first.
std::string volume_text(Cell cell) {
  rqo::supplement_impossible_angles(cell);
  return cell_text(cell) + " " + hex(rqo::cell_volume(cell));
}

std::string patterns() {
  std::ostringstream out;
  for (const float angle : angles()) {
    out << "cos " << hex(angle) << " " << hex(rqo::cos_degrees(angle)) << " "
        << hex(rqo::cos_degrees_single_pi(angle)) << "\n";
  }
  const std::vector<TransformMatrix> all_matrices = matrices();
  for (const Cell& original : cells()) {
    out << "cell " << volume_text(original) << "\n";
    for (const TransformMatrix& matrix : all_matrices) {
      Cell cell = original;
      std::ostringstream reports;
      rqo::ErrorPolicy policy(reports);  // a fresh count for each: no report ends the run
      rqo::transform_cell(matrix, cell, policy, rqo::RunPlace{"patterns", 0, "none"});
      out << "  new " << volume_text(cell) << "\n";
    }
  }
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string made = patterns();
  if (argc < 2) {
    std::fwrite(made.data(), 1, made.size(), stdout);
    return 0;
  }
  std::ifstream file(argv[1], std::ios::binary);
  std::stringstream expected;
  expected << file.rdbuf();
  if (!file) {
    std::cerr << "cell_bit_patterns: cannot read " << argv[1] << "\n";
    return 2;
  }
  std::istringstream want(expected.str()), got(made);
  std::string want_line, got_line;
  int line = 0, differences = 0;
  while (true) {
    const bool more_wanted = static_cast<bool>(std::getline(want, want_line));
    const bool more_made = static_cast<bool>(std::getline(got, got_line));
    if (!more_wanted && !more_made) break;
    ++line;
    if (want_line != got_line && ++differences <= 20) {
      std::cout << "line " << line << ": expected \"" << want_line << "\", made \"" << got_line
                << "\"\n";
    }
  }
  std::cout << line << " lines, " << differences << " differ\n";
  return differences == 0 ? 0 : 1;
}
