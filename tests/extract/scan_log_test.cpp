#include "extract/scan_log.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace rqo {
namespace {

// Every field starts at this sentinel, so a field the scan leaves alone stays visible.
constexpr float kUntouched = 7.0f;

RunRecord sentinel_record() {
  RunRecord run;
  for (Cell* cell : {&run.cell_min, &run.cell_max}) {
    *cell = Cell{kUntouched, kUntouched, kUntouched, kUntouched, kUntouched, kUntouched};
  }
  run.temperature = run.volume_min = run.volume_max = kUntouched;
  run.mosa_min = run.mosa_max = kUntouched;
  run.chi2_min = {kUntouched, kUntouched, kUntouched};
  run.chi2_max = {kUntouched, kUntouched, kUntouched};
  return run;
}

// The twenty scanned fields in keyword order, minimum and maximum alternating.
std::vector<float> scanned_fields(const RunRecord& r) {
  return {r.cell_min.a,     r.cell_max.a,     r.cell_min.b,     r.cell_max.b,    r.cell_min.c,
          r.cell_max.c,     r.cell_min.alpha, r.cell_max.alpha, r.cell_min.beta, r.cell_max.beta,
          r.cell_min.gamma, r.cell_max.gamma, r.chi2_min[0],    r.chi2_max[0],   r.chi2_min[1],
          r.chi2_max[1],    r.chi2_min[2],    r.chi2_max[2],    r.mosa_min,      r.mosa_max};
}

std::string describe(const std::vector<float>& values) {
  std::ostringstream out;
  out.precision(9);
  for (float v : values) out << v << " ";
  return out.str();
}

// A log written to a temporary file and opened for reading.
class TemporaryLog {
 public:
  explicit TemporaryLog(const std::string& content) {
    static int serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("rqo_scan_" + std::to_string(::getpid()) + "_" + std::to_string(serial++) + ".log");
    std::ofstream(path_, std::ios::binary) << content;
  }
  ~TemporaryLog() { std::filesystem::remove(path_); }
  std::string name() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

struct ScanResult {
  std::vector<float> fields;
  int early_ends;
  int bad_values;
  std::string diagnostics;
};

ScanResult scan_file(const std::string& name) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  InputFile log;
  EXPECT_TRUE(log.open(name)) << name;
  RunRecord run = sentinel_record();
  scan_log(log, run, policy);
  EXPECT_EQ(run.temperature, kUntouched);
  EXPECT_EQ(run.volume_min, kUntouched);
  return {scanned_fields(run), policy.count(Condition::EndOfInternalFile),
          policy.count(Condition::BadCharacterInReal), diagnostics.str()};
}

ScanResult scan_text(const std::string& content) {
  TemporaryLog file(content);
  return scan_file(file.name());
}

// Sentinel fields with the given keyword's pair replaced (keyword index 0..9).
std::vector<float> with_pair(int keyword, float minimum, float maximum) {
  std::vector<float> fields(20, kUntouched);
  fields[static_cast<std::size_t>(2 * keyword)] = minimum;
  fields[static_cast<std::size_t>(2 * keyword + 1)] = maximum;
  return fields;
}

const std::vector<float> kNothing(20, kUntouched);

struct ScanCase {
  const char* what;
  std::string log;
  std::vector<float> expected;
  int early_ends;
  int bad_values;
};

TEST(LogScanner, KeywordLines) {
  const std::string blanks_to_256 = std::string(256 - 16, ' ');
  const ScanCase cases[] = {
      {"empty log", "", kNothing, 0, 0},
      {"no keyword line", "Run started: 14:02\nmosaic: 1 2\n\n", kNothing, 0, 0},
      {"a axis", "A axis length : 10.1 10.3\n", with_pair(0, 10.1f, 10.3f), 0, 0},
      {"indented with spaces", "      B axis length: 5 6\n", with_pair(1, 5, 6), 0, 0},
      {"indented with a tab", "\tC axis length: 5 6\n", kNothing, 0, 0},
      {"blank then tab", "  \talpha cell angle: 5 6\n", kNothing, 0, 0},
      {"other case", "Alpha cell angle: 1 2\nMOSAICITY: 1 2\n", kNothing, 0, 0},
      {"keyword after other text", "Note: A axis length: 1 2\n", kNothing, 0, 0},
      {"beta with comma", "beta cell angle: 89.9, 90.1\n", with_pair(4, 89.9f, 90.1f), 0, 0},
      {"gamma with exponents", "gamma cell angle:1.5E2 2D0\n", with_pair(5, 150, 2), 0, 0},
      {"chi x", "chi**2 x: 1 2\n", with_pair(6, 1, 2), 0, 0},
      {"chi y", "chi**2 y: 3 4\n", with_pair(7, 3, 4), 0, 0},
      {"rotation with trailing word", "chi**2 rotation : 0.91 1.42 good\n",
       with_pair(8, 0.91f, 1.42f), 0, 0},
      {"later mosaicity wins", "mosaicity: 0.1 0.2\nmosaicity: 0.3 0.4\n", with_pair(9, 0.3f, 0.4f),
       0, 0},
      {"extra words before the colon", "A axis length (refined, mean): 3 4\n", with_pair(0, 3, 4),
       0, 0},
      {"first colon taken", "A axis length: 3 4 : 5 6\n", with_pair(0, 3, 4), 0, 0},
      {"CR LF line ends", "mosaicity: 0.1 0.2\r\nA axis length: 1 2\r\n",
       [] {
         auto f = with_pair(9, 0.1f, 0.2f);
         f[0] = 1;
         f[1] = 2;
         return f;
       }(),
       0, 0},
      {"last line without line break", "mosaicity: 0.5 0.6", with_pair(9, 0.5f, 0.6f), 0, 0},
      {"single value ends early", "A axis length: 3\nB axis length: 1 2\n",
       [] {
         auto f = with_pair(1, 1, 2);
         f[0] = 3;
         return f;
       }(),
       1, 0},
      {"empty value text", "mosaicity:\n", kNothing, 1, 0},
      {"no colon: keyword letters read", "A axis length 3 4\n", kNothing, 0, 1},
      {"not a number", "mosaicity: low high\n", kNothing, 0, 1},
      {"bad line then good line", "mosaicity: x\nmosaicity: 1 2\n", with_pair(9, 1, 2), 0, 1},
      {"colon in column 256", "A axis length" + std::string(242, ' ') + ":9 9\n", kNothing, 1, 0},
      {"second value beyond column 256", "A axis length: 1" + blanks_to_256 + "2\n",
       with_pair(0, 1, kUntouched), 1, 0},
      {"indent counts before the cut", "  A axis length: 1" + std::string(256 - 18, ' ') + "2\n",
       with_pair(0, 1, kUntouched), 1, 0},
      {"long line with both values inside", "A axis length: 1 2 " + std::string(400, 'x') + "\n",
       with_pair(0, 1, 2), 0, 0},
  };
  for (const ScanCase& row : cases) {
    const ScanResult result = scan_text(row.log);
    EXPECT_TRUE(result.fields == row.expected && result.early_ends == row.early_ends &&
                result.bad_values == row.bad_values)
        << row.what << "\n  log: \"" << row.log.substr(0, 80) << "\""
        << "\n  expected " << describe(row.expected) << " early ends " << row.early_ends
        << " bad values " << row.bad_values << "\n  actual   " << describe(result.fields)
        << " early ends " << result.early_ends << " bad values " << result.bad_values;
  }
}

TEST(LogScanner, ReportsNameTheLogAndItsLine) {
  TemporaryLog file("header\nmosaicity: 1\n");
  const ScanResult result = scan_file(file.name());
  EXPECT_EQ(result.early_ends, 1);
  EXPECT_NE(result.diagnostics.find(file.name()), std::string::npos) << result.diagnostics;
  EXPECT_NE(result.diagnostics.find("line 2"), std::string::npos) << result.diagnostics;
}

TEST(LogScanner, ScansFromTheFirstRecordAfterEarlierReads) {
  TemporaryLog file("A axis length: 1 2\nnoise\nmosaicity: 3 4\n");
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  InputFile log;
  ASSERT_TRUE(log.open(file.name()));
  std::string_view record;
  while (log.read_record(record, 256) == kStatusOk) {
  }
  RunRecord run = sentinel_record();
  scan_log(log, run, policy);
  EXPECT_EQ(run.cell_min.a, 1.0f);
  EXPECT_EQ(run.cell_max.a, 2.0f);
  EXPECT_EQ(run.mosa_min, 3.0f);
  EXPECT_EQ(run.mosa_max, 4.0f);
}

struct LogFileCase {
  const char* file;
  std::vector<float> expected;
};

TEST(LogScanner, RealisticLogs) {
  const LogFileCase cases[] = {
      {"run_150K.log", {10.1204f, 10.1387f, 12.4431f, 12.4610f, 7.5023f, 7.5144f, 89.981f,
                        90.024f,  104.312f, 104.398f, 89.990f,  90.017f, 0.85f,   1.12f,
                        0.80f,    1.07f,    0.93f,    1.38f,    0.420f,  0.511f}},
      {"run_200K.log",
       {10.2011f, 10.2250f, 12.5012f, 12.5339f, 7.5310f, 7.5602f, 90.0f, 90.040f, 104.21f, 104.47f,
        90.0f,    90.0f,    1.01f,    1.33f,    0.97f,   1.29f,   1.11f, 1.74f,   0.505f,  0.633f}},
  };
  for (const LogFileCase& row : cases) {
    const ScanResult result = scan_file(std::string(RQO_TEST_DATA) + "/logs/" + row.file);
    EXPECT_EQ(result.fields, row.expected) << row.file << "\n  expected " << describe(row.expected)
                                           << "\n  actual   " << describe(result.fields);
    EXPECT_EQ(result.diagnostics, "") << row.file;
  }
}

}  // namespace
}  // namespace rqo
