// The hot path of a series: one processing log of about 80 KB (1000 lines of 40 to 130
// characters, LF or CR LF) read whole with plain read() calls (the floor), split into records,
// and scanned for its keyword lines. Bytes per second are comparable across the three.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "extract/scan_log.hpp"
#include "model/run_table.hpp"
#include "records/error_policy.hpp"
#include "records/input_file.hpp"

namespace {

const char* const kKeywordLines[] = {
    "   A axis length (min, max)          :    10.10000    10.14000",
    "   B axis length (min, max)          :    12.46000    12.50000",
    "   C axis length (min, max)          :     7.52000     7.54000",
    "   alpha cell angle (min, max)       :    89.95000    90.05000",
    "   beta cell angle (min, max)        :   104.25000   104.35000",
    "   gamma cell angle (min, max)       :    89.95000    90.05000",
    "   chi**2 x (min, max)               :     0.60000     1.20000",
    "   chi**2 y (min, max)               :     0.70000     1.30000",
    "   chi**2 rotation (min, max)        :     0.70000     1.50000",
    "   mosaicity (min, max)              :     0.25000     0.45000",
};

const char* const kNoise[] = {
    " Frame %6d  scale factor: %9.4f  B-factor: %8.3f  partiality: %7.4f",
    "   Reflections integrated: %8d   mean I: %9.2f  sigma: %8.2f",
    " Spot %7d at x=%9.2f y=%9.2f  intensity %10.1f  sigma %8.1f  profile correlation %6.3f",
    "  Image %5d read, %8.3f s elapsed so far",
    "   cell refinement cycle %4d: residual %9.4f  shift %8.5f  esd %8.5f  weight %7.3f",
    "   mosaic spread estimate %5d: %8.4f deg (profile %7.3f, beam %7.3f)",
    " Average intensity in shell %3d: %10.2f  <I/sigma> %7.2f  multiplicity %6.2f",
    "   goniometer axis check %6d: %9.5f %9.5f %9.5f  (deviation %7.4f deg)",
};

// Writes a 1000-line log and returns its path; the keyword lines sit every 100 lines.
std::string write_log(bool crlf) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kNoise)) - 1);
  std::uniform_real_distribution<double> real(0.0, 999.0);
  std::ostringstream log;
  const char* end = crlf ? "\r\n" : "\n";
  for (int line = 0; line < 1000; ++line) {
    if (line % 100 == 50) {
      log << kKeywordLines[line / 100] << end;
      continue;
    }
    char text[256];
    std::snprintf(text, sizeof text, kNoise[pick(random)], line, real(random), real(random),
                  real(random), real(random), real(random));
    log << text << end;
  }
  const auto path = std::filesystem::temp_directory_path() /
                    ("rqo_log_scan_bench_" + std::to_string(::getpid()) + (crlf ? "_crlf" : "_lf"));
  std::ofstream(path, std::ios::binary) << log.str();
  return path.string();
}

struct LogFile {
  explicit LogFile(bool crlf) : path(write_log(crlf)), bytes(std::filesystem::file_size(path)) {}
  ~LogFile() { std::filesystem::remove(path); }
  std::string path;
  std::uintmax_t bytes;
};

void BM_ReadWhole(benchmark::State& state) {
  const LogFile log(state.range(0) != 0);
  std::vector<char> block(64 * 1024);
  for (auto _ : state) {
    const int fd = ::open(log.path.c_str(), O_RDONLY);
    long total = 0;
    for (ssize_t got; (got = ::read(fd, block.data(), block.size())) > 0;) total += got;
    ::close(fd);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.bytes));
}

void BM_SplitRecords(benchmark::State& state) {
  const LogFile log(state.range(0) != 0);
  rqo::InputFile file;
  for (auto _ : state) {
    file.open(log.path);
    std::string_view text;
    std::size_t kept = 0;
    while (file.read_record(text, 256) == rqo::kStatusOk) kept += text.size();
    file.close();
    benchmark::DoNotOptimize(kept);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.bytes));
}

void BM_ScanLog(benchmark::State& state) {
  const LogFile log(state.range(0) != 0);
  std::ostringstream diagnostics;
  rqo::ErrorPolicy policy(diagnostics);
  rqo::InputFile file;
  rqo::RunRecord run;
  for (auto _ : state) {
    file.open(log.path);
    rqo::scan_log(file, run, policy);
    file.close();
    benchmark::DoNotOptimize(run);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.bytes));
}

}  // namespace

BENCHMARK(BM_ReadWhole)->ArgName("crlf")->Arg(0)->Arg(1);
BENCHMARK(BM_SplitRecords)->ArgName("crlf")->Arg(0)->Arg(1);
BENCHMARK(BM_ScanLog)->ArgName("crlf")->Arg(0)->Arg(1);

BENCHMARK_MAIN();
