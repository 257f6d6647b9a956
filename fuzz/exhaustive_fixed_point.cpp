// Renders every one of the 2^32 single-precision bit patterns under F12.5 and F15.3 with the
// production renderer and with the slow exact reference, and reports every disagreement.
// Opt-in (it takes a long time): fuzz/exhaustive.sh builds and runs it.
//
//   exhaustive_fixed_point [first last [threads]]   (bit patterns in hex, inclusive)

#include <atomic>
#include <bit>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "records/fixed_point.hpp"
#include "support/exact_fixed.hpp"

namespace {

struct Format {
  int width;
  int decimals;
};
constexpr Format kFormats[] = {{12, 5}, {15, 3}};
constexpr int kShownMismatches = 20;

std::mutex report_lock;
std::atomic<std::uint64_t> mismatches{0};
std::atomic<std::uint64_t> checked{0};

void check_range(std::uint64_t first, std::uint64_t last) {
  char field[32];
  std::uint64_t local_checked = 0;
  for (std::uint64_t pattern = first; pattern <= last; ++pattern) {
    const float x = std::bit_cast<float>(static_cast<std::uint32_t>(pattern));
    for (const Format& format : kFormats) {
      rqo::render_fixed(field, x, format.width, format.decimals);
      const std::string actual(field, static_cast<std::size_t>(format.width));
      const std::string expected = rqo::testing::exact_fixed(x, format.width, format.decimals);
      if (actual != expected) {
        const std::uint64_t seen = ++mismatches;
        if (seen <= kShownMismatches) {
          std::lock_guard<std::mutex> hold(report_lock);
          std::printf("MISMATCH %08" PRIx64 " F%d.%d expected [%s] actual [%s]\n", pattern,
                      format.width, format.decimals, expected.c_str(), actual.c_str());
          std::fflush(stdout);
        }
      }
    }
    ++local_checked;
  }
  checked += local_checked;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t first = 0;
  std::uint64_t last = 0xffffffffULL;
  unsigned threads = 2;
  if (argc >= 3) {
    first = std::strtoull(argv[1], nullptr, 16);
    last = std::strtoull(argv[2], nullptr, 16);
  }
  if (argc >= 4) threads = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
  if (threads == 0 || first > last || last > 0xffffffffULL) {
    std::fprintf(stderr, "usage: %s [first last [threads]]\n", argv[0]);
    return 2;
  }

  // Interleaved slices, so that every thread meets the slow (large and tiny) patterns alike.
  constexpr std::uint64_t kSlice = 1U << 20;
  std::atomic<std::uint64_t> next{first};
  std::vector<std::thread> pool;
  for (unsigned t = 0; t < threads; ++t) {
    pool.emplace_back([&] {
      for (;;) {
        const std::uint64_t start = next.fetch_add(kSlice);
        if (start > last) return;
        const std::uint64_t end = start + kSlice - 1 < last ? start + kSlice - 1 : last;
        check_range(start, end);
        if (start % (1ULL << 28) == 0) {
          std::lock_guard<std::mutex> hold(report_lock);
          std::fprintf(stderr, "progress: slice at %08" PRIx64 " done, %" PRIu64 " checked\n",
                       start, checked.load());
        }
      }
    });
  }
  for (auto& thread : pool) thread.join();

  std::printf("checked %" PRIu64 " patterns x %zu formats, %" PRIu64 " mismatches\n",
              checked.load(), std::size(kFormats), mismatches.load());
  return mismatches.load() == 0 ? 0 : 1;
}
