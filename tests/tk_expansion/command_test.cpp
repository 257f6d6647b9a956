// The built program in a scratch folder: arguments, the table input, bad input and warnings.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/tool_run.hpp"
#include "worked_example.hpp"

namespace {

using rqo::testing::ScratchDir;
using rqo::testing::ToolRun;

const std::vector<std::string> kOutputs = {
    "TK_expansion_summary.tsv", "TK_expansion_strain.tsv", "TK_expansion_axes.tsv",
    "TK_expansion_volume.tsv",  "TK_strain.pgf",           "TK_pascal_input.txt"};

// Runs the program with `arguments` (separated by blanks) in `dir`, after putting input.txt
// with `input` and an old TK_strain.pgf there.
ToolRun run(const ScratchDir& dir, const std::string& input, const std::string& arguments) {
  dir.write("input.txt", input);
  dir.write("TK_strain.pgf", "old");
  std::vector<std::string> words;
  std::istringstream split(arguments);
  for (std::string word; split >> word;) words.push_back(word);
  return rqo::testing::run_program_in(dir, TKX_BINARY, words);
}

TEST(TkExpansionCommand, Arguments) {
  struct Case {
    std::string arguments;
    int status;
    std::string out, err;  // expected beginnings
  };
  const Case cases[] = {
      {"--help", 0, "usage: tk_expansion", ""},
      {"--version", 0, "tk_expansion 1.", ""},
      {"--frame=a input.txt", 2, "",
       "tk_expansion: The following argument was not expected: --frame=a\n"
       "usage: tk_expansion [options] [FILE]; 'tk_expansion --help' tells more\n"},
      {"--strain almansi input.txt", 2, "", "tk_expansion: --strain: almansi not in"},
      {"--fit poly:5 input.txt", 2, "", "tk_expansion: --fit: \"poly:5\" is not linear"},
      {"--reference 2 --reference-t 200 input.txt", 2, "", "tk_expansion: --reference"},
      {"--draws 10 input.txt", 2, "", "tk_expansion: --draws requires --cell-errors"},
  };
  for (const auto& c : cases) {
    const ScratchDir dir;
    const ToolRun r = run(dir, kWorkedExample, c.arguments);
    EXPECT_EQ(r.exit_code, c.status) << c.arguments;
    EXPECT_TRUE(r.out.starts_with(c.out)) << c.arguments << ": " << r.out;
    EXPECT_TRUE(r.err.starts_with(c.err)) << c.arguments << ": " << r.err;
  }
}

TEST(TkExpansionCommand, TableRowsGiveTheChosenCell) {
  const std::string table =
      "! Two runs\r\n! header\r\n!   TK    a_min(A) ...\r\n!-----\r\n"
      "300.00    10.00000    10.10000    11.00000    11.20000    12.00000    12.30000"
      "         89.000         91.000        100.000        102.000         90.000         90.500"
      "      1.0      1.0\r\n"
      "100.00    9.90000     10.00000    10.90000    11.10000    11.90000    12.20000"
      "         89.500         90.500        100.500        101.500         90.100         90.300"
      "      1.0      1.0\r\n";
  struct Case {
    std::string arguments, first_row;  // the calculator export's first row
  };
  const Case cases[] = {{"", "300.00 1 10.05 11.1 12.15 90 101 90.25"},
                        {"--cell min --sigma-t 2.5", "300.00 2.5 10 11 12 89 100 90"},
                        {"--cell=max", "300.00 1 10.1 11.2 12.3 91 102 90.5"}};
  for (const auto& c : cases) {
    const ScratchDir dir;
    const ToolRun r = run(dir, table, c.arguments + " input.txt");
    ASSERT_EQ(r.exit_code, 0) << c.arguments << ": " << r.err;
    const std::string calculator = dir.read("TK_pascal_input.txt");
    EXPECT_EQ(calculator.substr(0, calculator.find("\r\n")), c.first_row) << c.arguments;
    for (const auto& name : kOutputs) EXPECT_TRUE(dir.exists(name)) << name;
  }
}

TEST(TkExpansionCommand, BadInputIsOneLineAndNoFile) {
  const std::string good = "300 1 5 6 7 90 90 90\n";
  struct Case {
    std::string input, where, what;
  };
  const Case cases[] = {
      {"# one row\n" + good, "input.txt: ", "1 data row"},
      {good + "200 1 5 6 7 90 90\n", "input.txt:2: ", "missing value"},
      {good + "200 1 5 6 x 90 90 90\n", "input.txt:2: ", "c \"x\" is not a number"},
      {good + "200 1 5 0 7 90 90 90\n", "input.txt:2: ", "length b = 0"},
      {good + "200 1 5 6 7 100 120 140\n", "input.txt:2: ", "describe no cell"},
      {good + "200 -1 5 6 7 90 90 90\n", "input.txt:2: ", "sigma T = -1"},
      {good + good, "input.txt: ", "same temperature"},
  };
  for (const auto& c : cases) {
    const ScratchDir dir;
    const ToolRun r = run(dir, c.input, "input.txt");
    EXPECT_EQ(r.exit_code, 2) << c.what;
    EXPECT_EQ(r.out, "") << c.what;
    EXPECT_TRUE(r.err.starts_with("tk_expansion: " + c.where)) << r.err;
    EXPECT_NE(r.err.find(c.what), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    EXPECT_EQ(dir.read("TK_strain.pgf"), "old");
    for (const auto& name : kOutputs) {
      EXPECT_TRUE(name == "TK_strain.pgf" || !dir.exists(name)) << name;
    }
  }
}

TEST(TkExpansionCommand, Warnings) {
  struct Case {
    std::string input, warning;
  };
  const Case cases[] = {
      {"300 1 5 6 7 90 90 90\n200 1 4.99 5.98 6.97 90 90 90\n", "only two rows"},
      {"300 1 5 5 7 90 90 90\n250 1 4.99 4.99 6.97 90 90 90\n200 1 4.98 4.98 6.95 90 90 90\n",
       "X2 and X3 have equal principal strains at every row"},
  };
  for (const auto& c : cases) {
    const ScratchDir dir;
    const ToolRun r = run(dir, c.input, "input.txt");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("warning: " + c.warning), std::string::npos) << r.out;
  }
}

}  // namespace
