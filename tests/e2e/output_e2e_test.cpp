#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/tool_outputs.hpp"
#include "support/tool_run.hpp"

namespace {

using rqo::testing::kNineNo;
using rqo::testing::kPlotFiles;
using rqo::testing::kTable;
using rqo::testing::read_file;
using rqo::testing::run_tool;
using rqo::testing::ScratchDir;

namespace fs = std::filesystem;

void copy_inputs(const fs::path& from, const ScratchDir& dir) {
  for (const auto& entry : fs::directory_iterator(from)) {
    if (entry.is_regular_file()) fs::copy_file(entry.path(), dir.path() / entry.path().filename());
  }
}

TEST(OutputEndToEnd, WorkedExampleMatchesTheCheckedFiles) {
  const fs::path data = fs::path(RQO_TEST_DATA) / "output_worked_example";
  ScratchDir dir;
  copy_inputs(data, dir);
  const auto run = run_tool(dir, "runs.txt\n" + kNineNo);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  std::vector<std::string> files = kPlotFiles;
  files.push_back(kTable);
  for (const std::string& name : files) {
    EXPECT_EQ(dir.read(name), read_file(data / "expected" / name)) << name;
  }
}

// Names longer than 64 characters are kept whole: a log name to the end of its run line, a
// typed run-list name in nested folders (quoted, as a list-directed read ends an unquoted value
// at a slash) of about 1,000 characters, or on Windows, whose paths stay below 260 characters,
// of about 200.
TEST(OutputEndToEnd, LongNamesAreKeptWhole) {
  const fs::path data = fs::path(RQO_TEST_DATA) / "output_worked_example";
  ScratchDir dir;
  copy_inputs(data, dir);
  const std::string long_log = "run_150K_" + std::string(150, 'l') + ".out";
  fs::rename(dir.path() / "run_150K.out", dir.path() / long_log);
  std::string folder;
#ifdef _WIN32
  constexpr int kDepth = 1;
  constexpr std::size_t kLeast = 160;
#else
  constexpr int kDepth = 8;
  constexpr std::size_t kLeast = 1000;
#endif
  for (int depth = 0; depth < kDepth; ++depth) folder += std::string(119, 'd') + "/";
  fs::create_directories(dir.path() / folder);
  const std::string list_name = folder + "runs_" + std::string(40, 'r') + ".txt";
  ASSERT_GT(list_name.size(), kLeast);
  std::string list = read_file(data / "runs.txt");
  list.replace(list.find("run_150K.out"), 12, long_log);
  dir.write(list_name, list);
  const auto run = run_tool(dir, "'" + list_name + "'\n" + kNineNo);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out.find("does not exist"), std::string::npos) << run.out;
  for (const std::string& name : kPlotFiles)
    EXPECT_EQ(dir.read(name), read_file(data / "expected" / name)) << name;
  EXPECT_EQ(dir.read(kTable), read_file(data / "expected" / kTable));
}

// Files are read byte for byte: a Ctrl-Z byte (the end of a text file to Windows' text mode)
// at the start of each log hides nothing after it.
TEST(OutputEndToEnd, CtrlZInALogIsAByteLikeAnyOther) {
  const fs::path data = fs::path(RQO_TEST_DATA) / "output_worked_example";
  ScratchDir dir;
  copy_inputs(data, dir);
  for (const char* log : {"run_100K.out", "run_150K.out", "run_200K.out"})
    dir.write(log, "\x1a\r\n" + dir.read(log));
  const auto run = run_tool(dir, "runs.txt\n" + kNineNo);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(dir.read(kTable), read_file(data / "expected" / kTable));
}

TEST(OutputEndToEnd, HeaderOnlyRunList) {
  ScratchDir dir;
  dir.write("runs.txt", "!\nlabels\n");
  const auto run = run_tool(dir, "runs.txt\n" + kNineNo);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const std::string table = dir.read(kTable);
  EXPECT_EQ(table.substr(0, 4), "! \r\n");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 4);
  const std::string chi2 = dir.read("TK_chi2.pgf");
  EXPECT_EQ(chi2.substr(0, 22), "# MAIN LEGEND TEXT: \r\n");
  std::size_t zero_points = 0;
  for (std::size_t at = 0;
       (at = chi2.find("#  NUMBER OF POINTS :        0\r\n", at)) != std::string::npos; ++at) {
    ++zero_points;
  }
  EXPECT_EQ(zero_points, 6u);
  EXPECT_TRUE(chi2.ends_with("#   DATA: X Y\r\n# END OF FILE\r\n"));
}

TEST(OutputEndToEnd, MissingLogLeavesTheRowsWrittenBefore) {
  const fs::path data = fs::path(RQO_TEST_DATA) / "output_worked_example";
  ScratchDir dir;
  copy_inputs(data, dir);
  fs::remove(dir.path() / "run_200K.out");
  const auto run = run_tool(dir, "runs.txt\n");
  EXPECT_EQ(run.exit_code, 1);
  // The table and each plot file end where the third run would have begun.
  const std::string expected_table = read_file(data / "expected" / kTable);
  const std::size_t third_row = expected_table.find("\r\n200.00") + 2;
  EXPECT_EQ(dir.read(kTable), expected_table.substr(0, third_row));
  for (const std::string& name : kPlotFiles) {
    const std::string expected = read_file(data / "expected" / name);
    EXPECT_EQ(dir.read(name), expected.substr(0, expected.find("\r\n200.00") + 2)) << name;
  }
}

TEST(OutputEndToEnd, StandInPlotterIsCalledForEachYes) {
  const fs::path data = fs::path(RQO_TEST_DATA) / "output_worked_example";
  ScratchDir dir;
  copy_inputs(data, dir);
  fs::create_directory(dir.path() / "bin");
#ifdef _WIN32
  fs::copy_file(fs::absolute(RQO_STAND_IN_PLOTTER), dir.path() / "bin" / "kestrova.exe");
#else
  dir.write("bin/kestrova", "#!/bin/sh\necho \"$# $1\" >> calls.log\n");
  fs::permissions(dir.path() / "bin/kestrova", fs::perms::owner_all);
#endif
  const auto run = run_tool(dir, "runs.txt\ny\nn\n,\n'Y'\nyes\n\n  \ny\nn\n/\ny\n",
                            (dir.path() / "bin").string());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(dir.read("calls.log"),
            "1 TK_cell_a.pgf\n1 TK_cell_alpha.pgf\n1 TK_cell_gamma.pgf\n1 TK_chi2.pgf\n");
}

#ifdef RQO_KESTROVA
TEST(OutputEndToEnd, KestrovaDrawsTheBundledExample) {
#ifdef _WIN32
  GTEST_SKIP() << "no gnuplot for Windows on this machine; kestrova's search for gnuplot.exe is "
                  "tested in KestrovaPathSearch";
#else
  if (std::system("command -v gnuplot > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "gnuplot is not installed";
  }
  // No graphical session: kestrova writes the report and draws with gnuplot.
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
#endif
  ScratchDir dir;
  copy_inputs(fs::path(RQO_SOURCE_DIR) / "examples" / "cooling_series", dir);
  const fs::path kestrova_dir = fs::path(RQO_KESTROVA).parent_path();
  const auto run =
      run_tool(dir, "cooling_series.txt\ny\ny\ny\ny\ny\ny\ny\ny\ny\n", kestrova_dir.string());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  for (const std::string& name : kPlotFiles) {
    const std::string png = name.substr(0, name.size() - 4) + ".png";
    EXPECT_GT(dir.read(png).size(), 1000u) << png;
  }
  EXPECT_TRUE(dir.exists("TK_report.html"));
}
#endif

}  // namespace
