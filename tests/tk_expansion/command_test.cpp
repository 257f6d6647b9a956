// The built program in a scratch folder: arguments, the table input, bad input and warnings.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/tool_run.hpp"
#include "worked_example.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using rqo::testing::ScratchDir;
using rqo::testing::ToolRun;

const std::vector<std::string> kOutputs = {
    "TK_expansion_summary.tsv", "TK_expansion_strain.tsv", "TK_expansion_axes.tsv",
    "TK_expansion_volume.tsv",  "TK_strain.pgf",           "TK_pascal_input.txt",
    "TK_expansion_alpha.tsv",   "TK_expansion_tensor.tsv"};

// A string literal's bytes, NUL bytes included.
template <std::size_t N>
std::string bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

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
    std::string input, where, what, arguments = "";
  };
  const Case cases[] = {
      {"# one row\n" + good, "input.txt: ", "1 data row"},
      {good + "200 1 5 6 7 90 90\n", "input.txt:2: ", "missing value"},
      {good + "200 1 5 6 x 90 90 90\n", "input.txt:2: ", "c \"x\" is not a number"},
      {good + "200 1 5 0 7 90 90 90\n", "input.txt:2: ", "length b = 0"},
      {good + "200 1 5 6 7 100 120 140\n", "input.txt:2: ", "describe no cell"},
      {good + "200 -1 5 6 7 90 90 90\n", "input.txt:2: ", "sigma T = -1"},
      {good + good, "input.txt: ", "same temperature"},
      // What editors and exports put in files.
      {bytes("\xFF\xFE"
             "3\x00"
             "0\x00"),
       "input.txt: ", "UTF-16 text: save it as UTF-8 or ANSI"},
      {bytes("3\x00"
             "0\x00"
             "0\x00"),
       "input.txt: ", "UTF-16 text"},
      {good + bytes("200 1 5 6 7 90 90 90\x00\n"), "input.txt:2: ", "NUL bytes"},
      {good + "200 1 5\xC2\xA0 6 7 90 90 90\n",
       "input.txt:2: ", "a \"5\\xC2\\xA0\" is not a number"},
      {good + "200 1e-320 5 6 7 90 90 90\n",
       "input.txt:2: ", "K is not within 1e-06 ... 1000000 K"},
      {"300 1e-160 5 6 7 90 90 90\n200 1e-160 5 6 7 90 90 90\n", "input.txt:1: ", "sigma T"},
      {good + "200 1 1e200 6 7 90 90 90\n", "input.txt:2: ", "length a = 1e+200 A is not within"},
      {good + "200 1 5 6 7 90 90 90\n100 1 5 6 7 90 90 90 1\n", "input.txt:3: ", "too many values"},
      // A fit, a reference or cell errors the series does not allow.
      {good + "200 1 4.9 6 7 90 90 90\n100 1 4.8 6 7 90 90 90\n",
       "input.txt: ", "a fit of degree 2 needs at least 4 different temperatures", "--fit poly:2"},
      {good + "200 1 4.9 6 7 90 90 90\n", "input.txt: ", "--reference 3: the series has 2 rows",
       "--reference 3"},
      {good + "200 1 4.9 6 7 90 90 90\n", "input.txt: ", "--cell-errors needs the cells'",
       "--cell-errors"},
  };
  for (const auto& c : cases) {
    const ScratchDir dir;
    const ToolRun r = run(dir, c.input, c.arguments + " input.txt");
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
  // Cells of a series at 300, 250 and 200 K (a expanding, b and c contracting), to build on.
  const std::string r300 = "300 1 5.00000 6.00000 7.00000 90 90 90\n";
  const std::string r250 = "250 1 4.99000 6.01000 7.02000 90 90 90\n";
  const std::string r200 = "200 1 4.98000 6.02500 7.04000 90 90 90\n";
  struct Case {
    std::string input, arguments, expected;  // `expected` is in the summary
  };
  const Case cases[] = {
      {"300 1 5 6 7 90 90 90\n200 1 4.99 5.98 6.97 90 90 90\n", "", "warning: only two rows"},
      {"300 1 5 5 7 90 90 90\n250 1 4.99 4.99 6.97 90 90 90\n200 1 4.98 4.98 6.95 90 90 90\n", "",
       "warning: X2 and X3 have equal principal strains at every row"},
      {r300 + r200 + r250, "",
       "warning: the temperatures neither only rise nor only fall along the file"},
      // Row 2 repeats row 1 to the last printed digit: row 3 names the axes.
      {r300 + "299.9 1 5.00000 6.00000 7.00000 90 90 90\n" + r250, "",
       "warning: row 2 (T = 299.9 K) is strained less than its printed digits resolve, so its "
       "order would be rounding noise: X1, X2, X3 are named by the ascending order at row 3 "
       "(T = 250 K)"},
      {r300 + r250 + "200 1 5.30000 6.02500 7.04000 90 90 90\n", "",
       "warning: a change by more than 5% between row 2 (T = 250 K) and row 3 (T = 200 K)"},
      {r300 + r250 + r200, "--reference 2", "against row 2 (line 2), T = 250 K"},
      {r300 + r250 + r200, "--reference-t 210", "against row 3 (line 3), T = 200 K"},
      {r300 + r250 + r200 + "150 1 4.97000 6.03000 7.05000 90 90 90\n", "--fit poly:2 --at 500",
       "warning: --at 500 K lies outside the data (150 ... 300 K): the fit is extrapolated"},
      {r300 + r250 + r200, "", "report      : to refresh the folder's report, run: kestrova"},
      {r300 + r250 + r200, "--sigma-t 3",
       "warning: --cell and --sigma-t apply to a parameter table"},
  };
  for (const auto& c : cases) {
    const ScratchDir dir;
    const ToolRun r = run(dir, c.input, c.arguments + " input.txt");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find(c.expected), std::string::npos) << c.expected << "\n" << r.out;
  }
}

// Files as Notepad, old Macs, spreadsheets and hand edits leave them read as the plain file.
TEST(TkExpansionCommand, EditorFormsReadAsThePlainFile) {
  const std::string plain = kWorkedExample;
  const auto replaced = [&plain](const std::string& from, const std::string& to) {
    std::string text;
    for (const char c : plain) text += c == '\n' ? to : std::string(1, c);
    return from.empty() ? text : from + text;
  };
  const std::string cases[] = {
      replaced("\xEF\xBB\xBF", "\n"),                         // byte-order mark
      replaced("", "\r\n"),                                   // CR LF
      replaced("", "\r"),                                     // lone CR
      replaced("# T sT a b c al be ga\n", " # a comment\n"),  // comments anywhere
  };
  const ScratchDir reference;
  ASSERT_EQ(run(reference, plain, "input.txt").exit_code, 0);
  for (const auto& input : cases) {
    const ScratchDir dir;
    const ToolRun r = run(dir, input, "input.txt");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    for (const auto& name : kOutputs) {
      if (name == "TK_strain.pgf") continue;  // its title is the file's name
      EXPECT_EQ(dir.read(name), reference.read(name)) << name;
    }
  }
}

// A name that cannot take its new file, at each step of the set's writing: before anything
// is written (a folder in its place), while the new files are written beside their names,
// and while the old ones are set aside. The folder keeps the whole old set.
TEST(TkExpansionCommand, AFailedWriteLeavesTheOldSet) {
  const std::string blocked[] = {"TK_expansion_volume.tsv", "TK_expansion_tensor.tsv.part",
                                 "TK_expansion_alpha.tsv.old"};
  const std::string changed = std::string(kWorkedExample) +
                              "90 1 8.10020 10.56114 12.25431 "
                              "88.080 101.565 91.995\n";
  for (const auto& name : blocked) {
    const ScratchDir dir;
    ASSERT_EQ(run(dir, kWorkedExample, "input.txt").exit_code, 0);
    std::vector<std::string> old;
    for (const auto& output : kOutputs) old.push_back(dir.read(output));
    if (name == "TK_expansion_volume.tsv") std::filesystem::remove(dir.path() / name);
    std::filesystem::create_directories(dir.path() / name / "inside");

    dir.write("input.txt", changed);
    const ToolRun r = rqo::testing::run_program_in(dir, TKX_BINARY, {"input.txt"});
    EXPECT_EQ(r.exit_code, 2) << name;
    EXPECT_NE(r.err.find("the folder keeps its previous result files"), std::string::npos) << r.err;
    for (std::size_t i = 0; i < kOutputs.size(); ++i) {
      if (kOutputs[i] == name) continue;
      EXPECT_EQ(dir.read(kOutputs[i]), old[i]) << name << ": " << kOutputs[i];
      if (kOutputs[i] + ".part" != name) {
        EXPECT_FALSE(dir.exists(kOutputs[i] + ".part")) << kOutputs[i];
      }
      if (kOutputs[i] + ".old" != name) {
        EXPECT_FALSE(dir.exists(kOutputs[i] + ".old")) << kOutputs[i];
      }
    }
  }
}

#ifdef _WIN32
// A result file open in a spreadsheet (held without sharing) cannot be replaced: the whole
// old set stays.
TEST(TkExpansionCommand, AHeldFileLeavesTheOldSet) {
  const ScratchDir dir;
  ASSERT_EQ(run(dir, kWorkedExample, "input.txt").exit_code, 0);
  std::vector<std::string> old;
  for (const auto& output : kOutputs) old.push_back(dir.read(output));
  const HANDLE held = CreateFileW((dir.path() / "TK_expansion_alpha.tsv").c_str(), GENERIC_READ, 0,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  dir.write("input.txt", std::string(kWorkedExample) +
                             "90 1 8.10020 10.56114 12.25431 "
                             "88.080 101.565 91.995\n");
  const ToolRun r = rqo::testing::run_program_in(dir, TKX_BINARY, {"input.txt"});
  CloseHandle(held);
  EXPECT_EQ(r.exit_code, 2) << r.out;
  for (std::size_t i = 0; i < kOutputs.size(); ++i) {
    EXPECT_EQ(dir.read(kOutputs[i]), old[i]) << kOutputs[i];
  }
}
#else
// kestrova found on the PATH is run on the folder after the files are written.
TEST(TkExpansionCommand, RefreshesTheReportWithKestrova) {
  const ScratchDir dir;
  const ScratchDir bin;
  bin.write("kestrova", "#!/bin/sh\necho \"$@\" > \"$2/report_arguments\"\n");
  std::filesystem::permissions(bin.path() / "kestrova", std::filesystem::perms::owner_all);
  dir.write("input.txt", kWorkedExample);
  const ToolRun r =
      rqo::testing::run_program_in(dir, TKX_BINARY, {"input.txt"}, "",
                                   {rqo::testing::PathChange::Kind::Replace, bin.path().string()});
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const std::string folder = std::filesystem::canonical(dir.path()).string();
  EXPECT_EQ(dir.read("report_arguments"), "--report " + folder + "\n");
  EXPECT_NE(r.out.find("report      : " + (bin.path() / "kestrova").string()), std::string::npos)
      << r.out;
}
#endif

}  // namespace
