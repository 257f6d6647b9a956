#ifdef RQO_KESTROVA

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/tool_run.hpp"

#ifdef _WIN32
#include <windows.h>

#include "support/windows_process.hpp"
#else
#include <sys/wait.h>
#endif

namespace {

using rqo::testing::ScratchDir;

struct KestrovaRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

#ifdef _WIN32

KestrovaRun run_kestrova(const ScratchDir& dir, const std::string& plot_name,
                         const std::string& path = "") {
  using rqo::testing::PathChange;
  static const std::string program =
      std::filesystem::absolute(RQO_KESTROVA).make_preferred().string();
  const ScratchDir io;
  const auto finished = rqo::testing::run_windows_program(
      rqo::testing::quoted(program) + " " + rqo::testing::quoted(plot_name), dir.path(), {},
      io.path() / "out", io.path() / "err",
      {path.empty() ? PathChange::Kind::None : PathChange::Kind::Replace, path});
  KestrovaRun run;
  run.exit_code = finished.exit_code;
  run.out = rqo::testing::from_windows_lines(io.read("out"), "standard output");
  run.err = rqo::testing::from_windows_lines(io.read("err"), "standard error");
  return run;
}

bool gnuplot_available() {
  char found[MAX_PATH];
  return SearchPathA(nullptr, "gnuplot.exe", nullptr, MAX_PATH, found, nullptr) > 0;
}

#else

std::string shell_quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

KestrovaRun run_kestrova(const ScratchDir& dir, const std::string& plot_name,
                         const std::string& path = "") {
  std::string command = "cd " + shell_quoted(dir.path().string()) + " && ";
  if (!path.empty()) command += "PATH=" + shell_quoted(path) + " ";
  command +=
      shell_quoted(RQO_KESTROVA) + " " + shell_quoted(plot_name) + " < /dev/null > .out 2> .err";
  const int status = std::system(command.c_str());
  KestrovaRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = dir.read(".out");
  run.err = dir.read(".err");
  return run;
}

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
  const KestrovaRun run = run_kestrova(dir, "it's plot.pgf");
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
  const KestrovaRun run = run_kestrova(dir, "empty.pgf");
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
    const KestrovaRun run = run_kestrova(dir, "input.pgf");
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
  const KestrovaRun run = run_kestrova(dir, "a.pgf", dir.path().string());
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find(" was not found on the PATH"), std::string::npos) << run.err;
}

TEST(Kestrova, MissingFileAndUsage) {
  ScratchDir dir;
  const KestrovaRun missing = run_kestrova(dir, "nothing.pgf");
  EXPECT_NE(missing.exit_code, 0);
  EXPECT_NE(missing.err.find("cannot open nothing.pgf"), std::string::npos) << missing.err;
}

}  // namespace

#endif  // RQO_KESTROVA
