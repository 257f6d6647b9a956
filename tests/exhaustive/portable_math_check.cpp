// Checks the portable cosine and arc cosine of the cell arithmetic against the C library's over
// every single-precision argument: each float taken as an angle in degrees and turned into
// radians both ways the cell arithmetic does, and each float from -1 to 1 as a cosine. What
// counts is the result after the rounding to single precision that every caller makes; double
// results that differ are counted apart. Meaningful where the C library is the reference (the
// GNU C library); elsewhere `--digest` prints a digest of the portable results alone, to be
// compared with the same digest made on Linux. The double-precision estimates that the callers
// try first must lie within a quarter of their bound of the portable results (so that the
// rounding of value +- bound cannot matter either). Opt-in (it takes minutes):
// scripts/check_portable_math.sh builds and runs it.
//
//   portable_math_check [--digest] [first last [threads]]   (float bit patterns in hex)

#include <atomic>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "numerics/portable_arc_cosine.hpp"
#include "numerics/portable_cosine.hpp"

namespace {

constexpr int kShownMismatches = 20;
constexpr std::uint32_t kOne = 0x3F800000;  // 1.0f

// The two ways the cell arithmetic turns degrees into radians.
double radians_by_product(float degrees) {
  return static_cast<double>(degrees) * 0.017453292519943295;
}
double radians_by_pi(float degrees) {
  return (static_cast<double>(3.14159274f) * static_cast<double>(degrees)) *
         static_cast<double>(0.00555555569f);
}

// The angle in degrees of an arc cosine, as the cell transformation forms it.
float degrees_of(double radians) {
  volatile float rounded = static_cast<float>((radians * static_cast<double>(180.0f)) *
                                              static_cast<double>(0.318309873f));
  return rounded;
}

float single(double value) {
  volatile float rounded = static_cast<float>(value);
  return rounded;
}

std::uint32_t bits(float x) {
  return std::bit_cast<std::uint32_t>(x);
}

struct Totals {
  std::atomic<std::uint64_t> checked{0};
  std::atomic<std::uint64_t> mismatches{0};
  std::atomic<std::uint64_t> double_differences{0};
  std::atomic<std::uint64_t> estimates{0};
  std::atomic<std::uint64_t> digest{0};
};

Totals totals;
std::mutex report_lock;

void report(const char* what, std::uint32_t pattern, double library, double portable) {
  if (totals.mismatches.fetch_add(1) >= kShownMismatches) return;
  std::lock_guard<std::mutex> lock(report_lock);
  std::printf("MISMATCH %s of float %08" PRIx32 " (%a): library %a, portable %a\n", what, pattern,
              static_cast<double>(std::bit_cast<float>(pattern)), library, portable);
}

// Whether the estimate (when there is one) holds the portable result well within its bound.
bool estimate_holds(bool estimated, const rqo::Estimate& estimate, double portable) {
  if (!estimated) return true;
  const double distance =
      portable > estimate.value ? portable - estimate.value : estimate.value - portable;
  return distance <= estimate.bound * 0.25;
}

std::uint64_t mix(std::uint64_t hash, std::uint64_t value) {
  return (hash ^ value) * 0x100000001B3u + (hash >> 29);
}

void check_range(std::uint64_t first, std::uint64_t last, bool digest_only) {
  std::uint64_t checked = 0, double_differences = 0, digest = 0, estimates = 0;
  for (std::uint64_t pattern = first; pattern <= last; ++pattern) {
    const auto p = static_cast<std::uint32_t>(pattern);
    const float x = std::bit_cast<float>(p);
    for (const double radians : {radians_by_product(x), radians_by_pi(x)}) {
      const double portable = rqo::portable_cos(radians);
      ++checked;
      rqo::Estimate estimate;
      const bool estimated = rqo::estimate_cos(radians, estimate);
      estimates += estimated ? 1 : 0;
      if (!estimate_holds(estimated, estimate, portable))
        report("cos estimate", p, estimate.value, portable);
      if (digest_only) {
        digest = mix(digest, bits(single(portable)));
        continue;
      }
      const double library = std::cos(radians);
      if (bits(single(library)) != bits(single(portable))) report("cos", p, library, portable);
      if (std::bit_cast<std::uint64_t>(library) != std::bit_cast<std::uint64_t>(portable))
        ++double_differences;
    }
    if ((p & 0x7FFFFFFF) > kOne && !std::isnan(x)) continue;
    const double portable = rqo::portable_acos(static_cast<double>(x));
    ++checked;
    rqo::Estimate estimate;
    const bool estimated = rqo::estimate_acos(static_cast<double>(x), estimate);
    estimates += estimated ? 1 : 0;
    if (!estimate_holds(estimated, estimate, portable))
      report("acos estimate", p, estimate.value, portable);
    if (digest_only) {
      digest = mix(digest, bits(degrees_of(portable)));
      continue;
    }
    const double library = std::acos(static_cast<double>(x));
    if (bits(degrees_of(library)) != bits(degrees_of(portable))) {
      report("acos", p, library, portable);
    }
    if (std::bit_cast<std::uint64_t>(library) != std::bit_cast<std::uint64_t>(portable))
      ++double_differences;
  }
  totals.checked += checked;
  totals.double_differences += double_differences;
  totals.estimates += estimates;
  totals.digest ^= digest;  // per-range digests combine in any order
}

}  // namespace

int main(int argc, char** argv) {
  bool digest_only = false;
  int at = 1;
  if (at < argc && std::strcmp(argv[at], "--digest") == 0) {
    digest_only = true;
    ++at;
  }
  std::uint64_t first = 0, last = 0xFFFFFFFF;
  if (argc - at >= 2) {
    first = std::strtoull(argv[at], nullptr, 16);
    last = std::strtoull(argv[at + 1], nullptr, 16);
  }
  unsigned threads = std::thread::hardware_concurrency();
  if (argc - at >= 3) threads = static_cast<unsigned>(std::atoi(argv[at + 2]));
  if (threads == 0) threads = 1;
  if (last < first) return 2;

  // Small slices handed out in turn keep the threads busy to the end.
  constexpr std::uint64_t kSlice = 1 << 20;
  std::atomic<std::uint64_t> next{first};
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t) {
    workers.emplace_back([&] {
      for (;;) {
        const std::uint64_t start = next.fetch_add(kSlice);
        if (start > last) return;
        const std::uint64_t end = last - start < kSlice ? last : start + kSlice - 1;
        check_range(start, end, digest_only);
      }
    });
  }
  for (auto& worker : workers) worker.join();

  if (digest_only) {
    std::printf("patterns %08" PRIx64 "..%08" PRIx64 ": %" PRIu64 " results, digest %016" PRIx64
                "\n",
                first, last, totals.checked.load(), totals.digest.load());
    return 0;
  }
  std::printf("patterns %08" PRIx64 "..%08" PRIx64 ": %" PRIu64 " results checked, %" PRIu64
              " differ after rounding to single precision (%" PRIu64
              " differ in double precision only); %" PRIu64
              " estimates checked against their bounds\n",
              first, last, totals.checked.load(), totals.mismatches.load(),
              totals.double_differences.load(), totals.estimates.load());
  return totals.mismatches.load() == 0 ? 0 : 1;
}
