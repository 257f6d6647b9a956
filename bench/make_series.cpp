// Writes a benchmark series: N processing logs of about L lines each, a run list naming them
// (a third of the run lines with a matrix) and an answers file for the tool's prompts.
//
//   make_series <folder> <runs> <lines per log>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

struct KeywordLine {
  const char* label;
  double base;
  double spread;
};

const KeywordLine kKeywords[] = {
    {"A axis length (min, max)          ", 10.12, 0.02},
    {"B axis length (min, max)          ", 12.48, 0.02},
    {"C axis length (min, max)          ", 7.53, 0.01},
    {"alpha cell angle (min, max)       ", 90.0, 0.05},
    {"beta cell angle (min, max)        ", 104.3, 0.05},
    {"gamma cell angle (min, max)       ", 90.0, 0.05},
    {"chi**2 x (min, max)               ", 0.9, 0.3},
    {"chi**2 y (min, max)               ", 1.0, 0.3},
    {"chi**2 rotation (min, max)        ", 1.1, 0.4},
    {"mosaicity (min, max)              ", 0.35, 0.1},
};

// Each noise format takes one integer and then up to five reals.
const char* const kNoise[] = {
    " Frame %6d  scale factor: %9.4f  B-factor: %8.3f  partiality: %7.4f",
    "   Reflections integrated: %8d   mean I: %9.2f  sigma: %8.2f",
    " Batch %5d  I/sigma: %8.2f  Rmerge: %7.4f  completeness: %6.2f %%",
    "      Refining detector distance (image %d): %9.3f mm   beam x: %8.3f  beam y: %8.3f",
    " Spot %7d at x=%9.2f y=%9.2f  intensity %10.1f  sigma %8.1f  profile correlation %6.3f",
    "==========================================================",
    "  Processing block %d, oscillation %.2f deg",
};

std::string noise_line(std::mt19937& random) {
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kNoise)) - 1);
  std::uniform_int_distribution<int> whole(1, 99999);
  std::uniform_real_distribution<double> real(0.0, 999.0);
  char line[256];
  std::snprintf(line, sizeof line, kNoise[pick(random)], whole(random), real(random),
                real(random), real(random), real(random), real(random));
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_series <folder> <runs> <lines per log>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int runs = std::atoi(argv[2]);
  const int lines = std::atoi(argv[3]);
  std::filesystem::create_directories(folder / "logs");
  std::mt19937 random(20261207);

  std::ofstream list(folder / "run_list.txt", std::ios::binary);
  list << "! Benchmark series of " << runs << " runs\n"
       << "log file                     T(K)   matrix by rows (optional)\n";
  std::vector<char> buffer;
  for (int run = 1; run <= runs; ++run) {
    char name[64];
    std::snprintf(name, sizeof name, "logs/run_%06d.out", run);
    const double temperature = 300.0 - 200.0 * (run - 1) / (runs > 1 ? runs - 1 : 1);
    if (run % 3 == 0)
      list << name << "   " << temperature << "   0 1 0   1 0 0   0 0 -1\n";
    else
      list << name << "   " << temperature << "\n";

    const char* end = run % 2 == 0 ? "\r\n" : "\n";
    std::string log;
    log.reserve(static_cast<std::size_t>(lines) * 90);
    // Keyword lines spread through the log; some appear twice (the later one counts).
    std::vector<int> at(std::size(kKeywords));
    std::uniform_int_distribution<int> position(0, lines > 1 ? lines - 1 : 0);
    for (auto& p : at) p = position(random);
    const double drift = (300.0 - temperature) / 200.0;
    for (int line = 0; line < lines; ++line) {
      bool keyword_written = false;
      for (std::size_t k = 0; k < std::size(kKeywords); ++k) {
        if (at[k] != line && !(k % 4 == 0 && at[k] == lines - 1 - line)) continue;
        const double low = kKeywords[k].base - kKeywords[k].spread * (1.0 + drift);
        const double high = kKeywords[k].base + kKeywords[k].spread * (1.0 - 0.5 * drift);
        char text[160];
        std::snprintf(text, sizeof text, "   %s:%12.5f%12.5f", kKeywords[k].label, low, high);
        log += text;
        log += end;
        keyword_written = true;
      }
      if (!keyword_written) {
        log += noise_line(random);
        log += end;
      }
    }
    std::ofstream(folder / name, std::ios::binary) << log;
  }

  std::ofstream answers(folder / "answers.txt", std::ios::binary);
  answers << "run_list.txt\n";
  for (int i = 0; i < 9; ++i) answers << "n\n";
  return 0;
}
