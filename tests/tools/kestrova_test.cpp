#ifdef RQO_KESTROVA

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/tool_run.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using rqo::testing::PathChange;
using rqo::testing::ScratchDir;
using rqo::testing::ToolRun;

// Runs kestrova on `plot_name` in `dir`; `path`, when given, is the whole of its PATH.
ToolRun run_kestrova(const ScratchDir& dir, const std::string& plot_name,
                     const std::string& path = "") {
  return rqo::testing::run_program_in(
      dir, RQO_KESTROVA, {plot_name}, "",
      {path.empty() ? PathChange::Kind::None : PathChange::Kind::Replace, path});
}

#ifdef _WIN32

bool gnuplot_available() {
  char found[MAX_PATH];
  return SearchPathA(nullptr, "gnuplot.exe", nullptr, MAX_PATH, found, nullptr) > 0;
}

#else

bool gnuplot_available() {
  return std::system("command -v gnuplot > /dev/null 2>&1") == 0;
}

#endif

std::string crlf_lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string header(int patterns) {
  return crlf_lines({"# MAIN LEGEND TEXT: It's a series", "# X LEGEND TEXT   : Temperature (K)",
                     "# Y LEGEND TEXT   : a unit cell parameter (A)",
                     "# NUMBER OF PATTERNS: " + std::to_string(patterns),
                     "#" + std::string(50, '-')});
}

std::string pattern(int number, int points, std::initializer_list<std::string> rows) {
  static const char* const kMarkers[] = {"0", "1", "4", "6"};
  std::string text = crlf_lines(
      {"# >>>>>>>> PATTERN #: " + std::to_string(number), "#             TITLE : a_min(A)=f(T)",
       "#  NUMBER OF POINTS : " + std::string(7, ' ') + std::to_string(points),
       std::string("#            MARKER : ") + kMarkers[number], "#              SIZE : 2",
       "#   DATA: X Y"});
  return text + crlf_lines(rows);
}

const std::string kEnd = "# END OF FILE\r\n";

TEST(Kestrova, DrawsAPlotFileIntoAPngBesideIt) {
  if (!gnuplot_available()) GTEST_SKIP() << "gnuplot is not installed";
  ScratchDir dir;
  // The first pattern announces more points than it holds, as after a quiet end of the pass;
  // overflowed fields are passed over.
  dir.write("it's plot.pgf",
            header(2) +
                pattern(1, 4,
                        {"100.00            10.12340", "150.00            10.13000",
                         "******            10.20000"}) +
                pattern(2, 3,
                        {"100.00            10.22340", "150.00  ******************",
                         "200.00            10.33000"}) +
                kEnd);
  const ToolRun run = run_kestrova(dir, "it's plot.pgf");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "") << "nothing is drawn as text when the output is no terminal";
  const std::string png = dir.read("it's plot.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(Kestrova, DrawsAFileWithoutPoints) {
  if (!gnuplot_available()) GTEST_SKIP() << "gnuplot is not installed";
  ScratchDir dir;
  dir.write("empty.pgf", header(2) + pattern(1, 0, {}) + pattern(2, 0, {}) + kEnd);
  const ToolRun run = run_kestrova(dir, "empty.pgf");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_FALSE(dir.read("empty.png").empty());
}

TEST(Kestrova, RejectsWhatIsNotACompletePlotFile) {
  struct Case {
    const char* name;
    std::string content;
    const char* reason;
  };
  const Case cases[] = {
      {"table", "! title\r\n! Parameters\r\n", "expected a line beginning with"},
      {"empty", "", "file ends where"},
      {"no end marker", header(2) + pattern(1, 1, {"100.00            10.12340"}),
       "without \"# END OF FILE\""},
      {"too many rows",
       header(1) + pattern(1, 1, {"100.00            10.12340", "150.00            10.12340"}) +
           kEnd,
       "more rows than"},
      {"bad number", header(1) + pattern(1, 1, {"100.00            10.1x340"}) + kEnd,
       "is not a number"},
      {"short row", header(1) + pattern(1, 1, {"100.00 10.1"}) + kEnd, "characters instead of 26"},
      {"pattern count", header(2) + pattern(1, 0, {}) + kEnd, "announces 2 patterns but holds 1"},
      {"text after end", header(1) + pattern(1, 0, {}) + kEnd + "more\r\n", "after"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    dir.write("input.pgf", c.content);
    const ToolRun run = run_kestrova(dir, "input.pgf");
    EXPECT_NE(run.exit_code, 0) << c.name;
    EXPECT_NE(run.err.find("kestrova: input.pgf is not a plot file"), std::string::npos)
        << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << ": " << run.err;
    EXPECT_FALSE(dir.exists("input.png")) << c.name;
  }
}

TEST(Kestrova, SaysSoWhenGnuplotIsMissing) {
  ScratchDir dir;
  dir.write("a.pgf", header(1) + pattern(1, 0, {}) + kEnd);
  const ToolRun run = run_kestrova(dir, "a.pgf", dir.path().string());
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find(" was not found on the PATH"), std::string::npos) << run.err;
}

TEST(Kestrova, MissingFileAndUsage) {
  ScratchDir dir;
  const ToolRun missing = run_kestrova(dir, "nothing.pgf");
  EXPECT_NE(missing.exit_code, 0);
  EXPECT_NE(missing.err.find("cannot open nothing.pgf"), std::string::npos) << missing.err;
}

}  // namespace

#endif  // RQO_KESTROVA
