#pragma once

#include <array>
#include <cstddef>

#include "model/cell.hpp"

namespace rqo {

// Index into the three chi-square values.
enum Chi2 : std::size_t { kChi2X = 0, kChi2Y = 1, kChi2Rotation = 2 };

// One run of the series (one temperature). Every field is zero until the run is processed.
struct RunRecord {
  float temperature = 0;
  Cell cell_min, cell_max;
  float volume_min = 0, volume_max = 0;
  float mosa_min = 0, mosa_max = 0;
  std::array<float, 3> chi2_min{}, chi2_max{};
};

}  // namespace rqo
