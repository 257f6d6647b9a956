// Writes a benchmark series: N processing logs of about L lines each, a run list naming them
// (a third of the run lines with a matrix) and an answers file for the tool's prompts.
//
//   make_series <folder> <runs> <lines per log> [batches]
//
// Log lines are 40 to 130 characters long (about 80 bytes a line with its line end). The
// default shape: odd runs use LF, even runs CR LF; the ten keyword lines sit at random places,
// three of them appear a second time earlier in the log with other values (the later line is
// the one that counts), and some noise lines begin with the first letters of keywords, so the
// keyword test is exercised.
//
// The "batches" shape is a log refined batch by batch: fifteen batches, each closing with its
// chi**2 and mosaicity lines and with lines that almost are keyword lines ("chi**2 total",
// "Mosaicity (deg, batch mean)", a tab-indented "mosaicity"), the cell lines after every third
// batch, and a final summary of all ten; about a tenth of the lines are keyword lines. Every
// third run uses CR LF.
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

// Each noise format takes one integer and then up to five reals. The lines that begin with
// 'A', 'B', 'C', 'a', 'b', 'g', 'c' or 'm' look like keyword lines at their first letter.
const char* const kNoise[] = {
    " Frame %6d  scale factor: %9.4f  B-factor: %8.3f  partiality: %7.4f",
    "   Reflections integrated: %8d   mean I: %9.2f  sigma: %8.2f",
    " Batch %5d  I/sigma: %8.2f  Rmerge: %7.4f  completeness: %6.2f %%",
    "      Refining detector distance (image %d): %9.3f mm   beam x: %8.3f  beam y: %8.3f",
    " Spot %7d at x=%9.2f y=%9.2f  intensity %10.1f  sigma %8.1f  profile correlation %6.3f",
    "==========================================================",
    "  Image %5d read, %8.3f s elapsed so far",
    " Frame %6d skipped: overload at %7.2f",
    "   chunk %5d written (%8.1f kB) to scratch",
    "  Processing block %d, oscillation %.2f deg, exposure %.3f s, dose %.4f MGy",
    "   cell refinement cycle %4d: residual %9.4f  shift %8.5f  esd %8.5f  weight %7.3f",
    "   mosaic spread estimate %5d: %8.4f deg (profile %7.3f, beam %7.3f)",
    " Average intensity in shell %3d: %10.2f  <I/sigma> %7.2f  multiplicity %6.2f",
    "   beam divergence at frame %6d: %8.5f x %8.5f deg",
    " Crystal orientation update %5d: phi %9.4f chi %9.4f omega %9.4f  rms %7.4f",
    "   goniometer axis check %6d: %9.5f %9.5f %9.5f  (deviation %7.4f deg)",
    " Batch %5d profile fit %10.3f %10.3f %10.3f %10.3f %10.3f  rejected outliers "
    "%10.3f",
};

std::string noise_line(std::mt19937& random) {
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kNoise)) - 1);
  std::uniform_int_distribution<int> whole(1, 99999);
  std::uniform_real_distribution<double> real(0.0, 999.0);
  char line[256];
  std::snprintf(line, sizeof line, kNoise[pick(random)], whole(random), real(random), real(random),
                real(random), real(random), real(random));
  return line;
}

// One keyword line; `shift` moves both values (a stale earlier line of a repeated keyword).
std::string keyword_line(const KeywordLine& keyword, double drift, double shift) {
  const double low = keyword.base - keyword.spread * (1.0 + drift) + shift;
  const double high = keyword.base + keyword.spread * (1.0 - 0.5 * drift) + shift;
  char text[160];
  std::snprintf(text, sizeof text, "   %s:%12.5f%12.5f", keyword.label, low, high);
  return text;
}

std::string default_log(std::mt19937& random, int lines, double temperature, const char* end) {
  std::string log;
  log.reserve(static_cast<std::size_t>(lines) * 90);
  // Where each keyword line goes; keywords 0, 4 and 8 also appear once more, earlier, with
  // stale values.
  constexpr std::size_t kCount = std::size(kKeywords);
  std::vector<int> at(kCount), stale_at(kCount, -1);
  std::uniform_int_distribution<int> position(0, lines > 1 ? lines - 1 : 0);
  for (std::size_t k = 0; k < kCount; ++k) {
    at[k] = position(random);
    if (k % 4 == 0) {
      std::uniform_int_distribution<int> earlier(0, at[k]);
      stale_at[k] = earlier(random);
    }
  }
  const double drift = (300.0 - temperature) / 200.0;
  for (int line = 0; line < lines; ++line) {
    bool keyword_written = false;
    for (std::size_t k = 0; k < kCount; ++k) {
      if (stale_at[k] == line) {
        log += keyword_line(kKeywords[k], drift, 0.5 * kKeywords[k].spread);
        log += end;
        keyword_written = true;
      }
      if (at[k] == line) {
        log += keyword_line(kKeywords[k], drift, 0.0);
        log += end;
        keyword_written = true;
      }
    }
    if (!keyword_written) {
      log += noise_line(random);
      log += end;
    }
  }
  return log;
}

// Keyword lines 0-5 are the cell, 6-9 the chi**2 and mosaicity lines.
constexpr std::size_t kFirstBatchKeyword = 6;
constexpr int kBatches = 15;

// The lines that close one batch: its chi**2 and mosaicity lines and four that come near them.
void append_batch_end(std::string& log, std::mt19937& random, int batch, double drift,
                      const char* end) {
  std::uniform_real_distribution<double> wobble(-0.5, 0.5);
  for (std::size_t k = kFirstBatchKeyword; k < std::size(kKeywords); ++k) {
    log += keyword_line(kKeywords[k], drift, wobble(random) * kKeywords[k].spread);
    log += end;
  }
  char text[160];
  std::snprintf(text, sizeof text, "   chi**2 total (batch %d)           :%12.5f", batch,
                1.0 + wobble(random));
  log += text;
  log += end;
  std::snprintf(text, sizeof text, "   Mosaicity (deg, batch mean)       :%12.5f",
                0.35 + 0.1 * wobble(random));
  log += text;
  log += end;
  std::snprintf(text, sizeof text, "\tmosaicity of batch %3d (min, max) :%12.5f%12.5f", batch,
                0.3 + 0.1 * wobble(random), 0.4 + 0.1 * wobble(random));
  log += text;
  log += end;
  std::snprintf(text, sizeof text, "   cell refinement of batch %3d converged after %d cycles",
                batch, 3 + batch % 5);
  log += text;
  log += end;
}

void append_cell(std::string& log, std::mt19937& random, double drift, const char* end) {
  std::uniform_real_distribution<double> wobble(-0.5, 0.5);
  for (std::size_t k = 0; k < kFirstBatchKeyword; ++k) {
    log += keyword_line(kKeywords[k], drift, wobble(random) * kKeywords[k].spread);
    log += end;
  }
}

std::string batch_log(std::mt19937& random, int lines, double temperature, const char* end) {
  std::string log;
  log.reserve(static_cast<std::size_t>(lines) * 90);
  const double drift = (300.0 - temperature) / 200.0;
  // Eight lines close each batch, six more after every third; the summary takes ten.
  constexpr int kBatchEndLines = 8;
  constexpr int kKeywordLines = kBatches * kBatchEndLines + kBatches / 3 * 6 + 10;
  const int noise_per_batch = lines > kKeywordLines ? (lines - kKeywordLines) / kBatches : 0;
  for (int batch = 1; batch <= kBatches; ++batch) {
    for (int line = 0; line < noise_per_batch; ++line) {
      log += noise_line(random);
      log += end;
    }
    append_batch_end(log, random, batch, drift, end);
    if (batch % 3 == 0) append_cell(log, random, drift, end);
  }
  log += " Final summary of all batches";
  log += end;
  append_cell(log, random, drift, end);
  for (std::size_t k = kFirstBatchKeyword; k < std::size(kKeywords); ++k) {
    log += keyword_line(kKeywords[k], drift, 0.0);
    log += end;
  }
  return log;
}

}  // namespace

int main(int argc, char** argv) {
  const bool batches = argc == 5 && std::string(argv[4]) == "batches";
  if (argc != 4 && !batches) {
    std::fprintf(stderr, "usage: make_series <folder> <runs> <lines per log> [batches]\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int runs = std::atoi(argv[2]);
  const int lines = std::atoi(argv[3]);
  if (runs < 0 || lines < 1) {
    std::fprintf(stderr, "make_series: runs must be >= 0 and lines per log >= 1\n");
    return 2;
  }
  std::filesystem::create_directories(folder / "logs");
  std::mt19937 random(20261207);

  std::ofstream list(folder / "run_list.txt", std::ios::binary);
  list << "! Benchmark series of " << runs << " runs\n"
       << "log file                     T(K)   matrix by rows (optional)\n";
  for (int run = 1; run <= runs; ++run) {
    char name[64];
    std::snprintf(name, sizeof name, "logs/run_%06d.out", run);
    const double temperature = 300.0 - 200.0 * (run - 1) / (runs > 1 ? runs - 1 : 1);
    // The name is quoted: unquoted, a list-directed read would stop at its slash.
    if (run % 3 == 0)
      list << '"' << name << "\"   " << temperature << "   0 1 0   1 0 0   0 0 -1\n";
    else
      list << '"' << name << "\"   " << temperature << "\n";

    const bool cr_lf = batches ? run % 3 == 0 : run % 2 == 0;
    const char* end = cr_lf ? "\r\n" : "\n";
    std::ofstream(folder / name, std::ios::binary)
        << (batches ? batch_log(random, lines, temperature, end)
                    : default_log(random, lines, temperature, end));
  }
  if (!list) {
    std::fprintf(stderr, "make_series: cannot write the run list in %s\n", argv[1]);
    return 1;
  }

  std::ofstream answers(folder / "answers.txt", std::ios::binary);
  answers << "run_list.txt\n";
  for (int i = 0; i < 9; ++i) answers << "n\n";
  return answers ? 0 : 1;
}
