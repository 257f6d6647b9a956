#include "output/output_files.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "driver/run_list_reader.hpp"
#include "records/console.hpp"
#include "records/text_holder.hpp"
#include "support/tool_run.hpp"

namespace rqo {
namespace {

using testing::ScratchDir;

// Runs a test inside a scratch directory, since the output files have fixed names in the
// current directory.
class InScratchDir {
 public:
  InScratchDir() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.path());
  }
  ~InScratchDir() { std::filesystem::current_path(previous_); }
  const ScratchDir& dir() const { return dir_; }

 private:
  ScratchDir dir_;
  std::filesystem::path previous_;
};

// Lines joined with CR LF, each line ending with it.
std::string crlf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The run list read up to its first run line, and the output files opened from it.
struct OpenedFiles {
  std::ostringstream diagnostics;
  ErrorPolicy policy{diagnostics};
  std::ostringstream console_out;
  std::istringstream console_in;
  Console console{console_out, console_in, false};
  InputFile run_list;
  TextHolder title{128};
  OutputFiles files{policy};
  std::int32_t expected_points = 0;

  void open(const std::string& run_list_name) {
    ASSERT_TRUE(run_list.open(run_list_name));
    RunListReader reader(run_list, console, policy);
    reader.read_header(title);
    expected_points = reader.count_run_lines();
    files.open(title.view(), expected_points);
  }
};

TEST(OpenOutputFiles, TitleCasesInBothHeaders) {
  struct Case {
    std::string first_line;
    std::string table_line;
  };
  const Case cases[] = {
      {"", "! "},
      {"   !  Cooling series", "! Cooling series"},
      {"!!double", "! !double"},
      {"no mark", "! no mark"},
      {std::string(10, ' ') + std::string(130, 'x'), "! " + std::string(118, 'x')},
  };
  for (const Case& c : cases) {
    InScratchDir scratch;
    scratch.dir().write("runs.txt", c.first_line + "\nlabels\n");
    OpenedFiles opened;
    opened.open("runs.txt");
    opened.files.close();
    const std::string table = scratch.dir().read("TK_parameters_quavelon_out.xy");
    EXPECT_EQ(table.substr(0, table.find("\r\n")), c.table_line) << "line [" << c.first_line << "]";
    const std::string plot = scratch.dir().read("TK_cell_a.pgf");
    EXPECT_EQ(plot.substr(0, plot.find("\r\n")), "# MAIN LEGEND TEXT: " + c.table_line.substr(2))
        << "line [" << c.first_line << "]";
  }
}

TEST(OpenOutputFiles, CountsEveryLineAfterTheHeaderAndRewindsToTheFirstRun) {
  InScratchDir scratch;
  scratch.dir().write("runs.txt", "title\nlabels\nrun_1 100\n\n  \nrun_4 200");
  OpenedFiles opened;
  opened.open("runs.txt");
  EXPECT_EQ(opened.expected_points, 4);
  std::string_view next;
  ASSERT_EQ(opened.run_list.read_record(next, 256), 0);
  EXPECT_EQ(next, "run_1 100");
}

TEST(OpenOutputFiles, ReplacesExistingFiles) {
  InScratchDir scratch;
  scratch.dir().write("runs.txt", "T\nL\n");
  scratch.dir().write("TK_volume.pgf", std::string(5000, 'z'));
  {
    OpenedFiles opened;
    opened.open("runs.txt");
    opened.files.complete_plot_files(RunTable{});
  }
  EXPECT_EQ(scratch.dir().read("TK_volume.pgf").find('z'), std::string::npos);
}

RunRecord sample_run(float temperature, float shift) {
  RunRecord run;
  run.temperature = temperature;
  run.cell_min = {10.0f + shift, 11.0f, 12.0f, 90.0f, 100.0f, 90.0f};
  run.cell_max = {10.5f + shift, 11.5f, 12.5f, 90.5f, 100.5f, 90.5f};
  run.volume_min = 1300.0f + shift;
  run.volume_max = 1310.0f + shift;
  run.mosa_min = 0.25f;
  run.mosa_max = 0.5f;
  run.chi2_min = {1.0f, 2.0f, 3.0f};
  run.chi2_max = {1.5f, 2.5f, 3.5f};
  return run;
}

TEST(OutputFiles, WholeSeriesTwoPatternFileAndChiSquareFile) {
  InScratchDir scratch;
  // Three lines after the header, but the third is not a run: the first pattern announces
  // three points and the later ones the two runs processed.
  scratch.dir().write("runs.txt", "! Series\nlabels\nr1 100\nr2 150\nxx\n");
  RunTable runs;
  {
    OpenedFiles opened;
    opened.open("runs.txt");
    runs.push_back(sample_run(100.0f, 0.0f));
    runs.push_back(sample_run(150.0f, 0.25f));
    opened.files.write_run_rows(runs[0]);
    opened.files.write_run_rows(runs[1]);
    opened.files.complete_plot_files(runs);
  }
  const std::string header =
      crlf({"# MAIN LEGEND TEXT: Series", "# X LEGEND TEXT   : Temperature (K)"});
  EXPECT_EQ(scratch.dir().read("TK_cell_a.pgf"),
            crlf({"# MAIN LEGEND TEXT: Series",
                  "# X LEGEND TEXT   : Temperature (K)",
                  "# Y LEGEND TEXT   : a unit cell parameter (A)",
                  "# NUMBER OF PATTERNS: 2",
                  "#" + std::string(50, '-'),
                  "# >>>>>>>> PATTERN #: 1",
                  "#             TITLE : a_min(A)=f(T)",
                  "#  NUMBER OF POINTS :        3",
                  "#            MARKER : 1",
                  "#              SIZE : 2",
                  "#   DATA: X Y",
                  "100.00            10.00000",
                  "150.00            10.25000",
                  "# >>>>>>>> PATTERN #: 2",
                  "#             TITLE : a_max(A)=f(T)",
                  "#  NUMBER OF POINTS :        2",
                  "#            MARKER : 4",
                  "#              SIZE : 2",
                  "#   DATA: X Y",
                  "100.00            10.50000",
                  "150.00            10.75000",
                  "# END OF FILE"}));

  const std::string chi2 = scratch.dir().read("TK_chi2.pgf");
  EXPECT_EQ(chi2.substr(0, header.size()), header);
  const std::string tail =
      crlf({"# >>>>>>>> PATTERN #: 3", "#             TITLE : chi2_rot_max=f(T)",
            "#  NUMBER OF POINTS :        2", "#            MARKER : 6", "#              SIZE : 2",
            "#   DATA: X Y", "100.00             3.50000", "150.00             3.50000",
            "# END OF FILE"});
  ASSERT_GE(chi2.size(), tail.size());
  EXPECT_EQ(chi2.substr(chi2.size() - tail.size()), tail);

  const std::string table = scratch.dir().read("TK_parameters_quavelon_out.xy");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 6);
}

TEST(OutputFiles, StopBeforeCompletionLeavesFirstPatternRowsOnly) {
  InScratchDir scratch;
  scratch.dir().write("runs.txt", "T\nL\nr1 100\nr2 150\nr3 200\n");
  {
    OpenedFiles opened;
    opened.open("runs.txt");
    opened.files.write_run_rows(sample_run(100.0f, 0.0f));
    // The program stops here: the files are closed as the objects go away.
  }
  const std::string plot = scratch.dir().read("TK_mosaicity.pgf");
  const std::string expected_tail =
      crlf({"#  NUMBER OF POINTS :        3", "#            MARKER : 1", "#              SIZE : 2",
            "#   DATA: X Y", "100.00             0.25000"});
  ASSERT_GE(plot.size(), expected_tail.size());
  EXPECT_EQ(plot.substr(plot.size() - expected_tail.size()), expected_tail);
  const std::string table = scratch.dir().read("TK_parameters_quavelon_out.xy");
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 5);
}

}  // namespace
}  // namespace rqo
