// Renders the 23 fields of a table row (F6.2, 6F12.5, 16F15.3) for random rows, and the same
// values through snprintf("%*.*f") for comparison.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "records/fixed_point.hpp"

namespace {

struct Field {
  int width;
  int decimals;
};

std::vector<Field> row_fields() {
  std::vector<Field> fields{{6, 2}};
  fields.insert(fields.end(), 6, Field{12, 5});
  fields.insert(fields.end(), 16, Field{15, 3});
  return fields;
}

// Values of the kind a table holds: temperatures, lengths, angles, volumes, small chi-squares.
std::vector<float> random_values(std::size_t count) {
  std::mt19937 generator(42);
  std::uniform_real_distribution<float> magnitude(-3.0f, 4.0f);
  std::uniform_int_distribution<int> sign(0, 1);
  std::vector<float> values(count);
  for (float& v : values)
    v = (sign(generator) ? -1.0f : 1.0f) * std::pow(10.0f, magnitude(generator));
  return values;
}

constexpr std::size_t kRows = 1'000'000;
constexpr std::size_t kFieldsPerRow = 23;

const std::vector<float>& values() {
  static const std::vector<float> v = random_values(kRows * kFieldsPerRow);
  return v;
}

void BM_RenderFixedRows(benchmark::State& state) {
  const std::vector<Field> fields = row_fields();
  const std::vector<float>& v = values();
  char record[400];
  for (auto _ : state) {
    std::size_t k = 0;
    for (std::size_t row = 0; row < kRows; ++row) {
      char* p = record;
      for (const Field& f : fields) {
        rqo::render_fixed(p, v[k++], f.width, f.decimals);
        p += f.width;
      }
      benchmark::DoNotOptimize(record);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}
BENCHMARK(BM_RenderFixedRows)->Unit(benchmark::kMillisecond);

void BM_SnprintfRows(benchmark::State& state) {
  const std::vector<Field> fields = row_fields();
  const std::vector<float>& v = values();
  char record[400];
  for (auto _ : state) {
    std::size_t k = 0;
    for (std::size_t row = 0; row < kRows; ++row) {
      char* p = record;
      for (const Field& f : fields) {
        // Wide values overflow the column here; the buffer has room for that.
        p += std::snprintf(p, 64, "%*.*f", f.width, f.decimals, static_cast<double>(v[k++]));
        if (p > record + 300) p = record;
      }
      benchmark::DoNotOptimize(record);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}
BENCHMARK(BM_SnprintfRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
