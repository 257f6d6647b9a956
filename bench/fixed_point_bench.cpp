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

// Renders every row's fields one after another into one record buffer; `render_field` writes
// one field at the given position and returns the position after it.
template <typename RenderField>
void render_rows(benchmark::State& state, RenderField render_field) {
  const std::vector<Field> fields = row_fields();
  const std::vector<float>& v = values();
  char record[512];
  for (auto _ : state) {
    std::size_t k = 0;
    for (std::size_t row = 0; row < kRows; ++row) {
      char* p = record;
      for (const Field& f : fields) p = render_field(p, v[k++], f);
      benchmark::DoNotOptimize(record);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kRows));
}

void BM_RenderFixedRows(benchmark::State& state) {
  render_rows(state, [](char* p, float value, const Field& f) {
    rqo::render_fixed(p, value, f.width, f.decimals);
    return p + f.width;
  });
}
BENCHMARK(BM_RenderFixedRows)->Unit(benchmark::kMillisecond);

void BM_SnprintfRows(benchmark::State& state) {
  render_rows(state, [](char* p, float value, const Field& f) {
    // Wide values overflow the column here; the record has room for a whole row of them.
    return p + std::snprintf(p, 64, "%*.*f", f.width, f.decimals, static_cast<double>(value));
  });
}
BENCHMARK(BM_SnprintfRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
