#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

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

// The runs of the series, numbered from 1. Grows as the pass accepts runs: records are kept
// in blocks that never move, so growing copies nothing and the table holds little more than
// the records themselves.
class RunTable {
 public:
  // A cleared record for run n (n = size() + 1 when the pass begins a run).
  RunRecord& begin_run(int n) {
    const std::size_t index = static_cast<std::size_t>(n) - 1;
    while (blocks_.size() <= index / kBlockRuns) blocks_.push_back(std::make_unique<Block>());
    RunRecord& record = at(index);
    record = RunRecord{};
    return record;
  }
  RunRecord& operator[](int n) { return at(static_cast<std::size_t>(n) - 1); }
  const RunRecord& operator[](int n) const {
    const std::size_t index = static_cast<std::size_t>(n) - 1;
    return (*blocks_[index / kBlockRuns])[index % kBlockRuns];
  }

 private:
  static constexpr std::size_t kBlockRuns = 1024;
  using Block = std::array<RunRecord, kBlockRuns>;

  RunRecord& at(std::size_t index) { return (*blocks_[index / kBlockRuns])[index % kBlockRuns]; }

  std::vector<std::unique_ptr<Block>> blocks_;
};

}  // namespace rqo
