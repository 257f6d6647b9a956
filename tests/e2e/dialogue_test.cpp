// The console dialogue of the built program, byte for byte, with answers piped in.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "support/tool_outputs.hpp"
#include "support/tool_run.hpp"

namespace rqo::testing {
namespace {

const std::vector<std::string> kBanner = {
    " --------------------------------------------------------------",
    "                                                               ",
    "     . Read TK_quavelon.out files (created by QUAVELON)        ",
    "     . Extract: . input cell parameters (min and max values)   ",
    "                . mosaicity   (min and max values)             ",
    "                . Chi2 values (min and max values)             ",
    "                                                               ",
    "     . Collected over the series: one row per temperature      ",
    " --------------------------------------------------------------",
};
const std::string kPrompt = "  > Enter buffer file (output list)   : ";

// Builds the expected screen transcript from the lines shown: the first after a carriage
// return, each later one after a line break, and the line break still pending at exit.
class Transcript {
 public:
  Transcript& line(const std::string& text) {
    bytes_ += (bytes_.empty() ? "\r" : "\n") + text;
    return *this;
  }
  Transcript& lines(const std::vector<std::string>& texts) {
    for (const auto& text : texts) line(text);
    return *this;
  }
  Transcript& banner_and_prompt() { return lines(kBanner).line(" ").line(kPrompt); }
  Transcript& missing_name(const std::string& name) {
    return line("  !! " + name + " does not exist !!")
        .line("   press Enter key to continue ")
        .line(" ")
        .line(kPrompt);
  }
  Transcript& matrix_echo(const std::string& values) { return line(" ").line(values); }
  Transcript& announcement_and_offers() {
    line(" ").line("   >>> The TK_parameters_quavelon_out.xy file has been created ").line(" ");
    for (const auto& name : kPlotFiles)
      line("   . " + name + " file has been created: plot it (y/n) ?  ");
    return *this;
  }
  Transcript& run_list_error() {
    return line(" ")
        .line(" ! Problem reading buffer file. Program will be stopped.")
        .line(" ")
        .line("Press Enter to Continue.");
  }
  std::string end() const { return bytes_ + "\n"; }

 private:
  std::string bytes_;
};

const std::string kWorkedExample =
    "! Cooling series, crystal 3\n"
    "log file              T(K)   matrix by rows (optional)\n"
    "run_100K.out          100.0\n"
    "run_150K.out          150.0   0 1 0   1 0 0   0 0 -1\n"
    "run_200K.out          200\n";

const std::string kEcho150 = "  TK =   150.00     M = [   0.0 1.0 0.0   1.0 0.0 0.0   0.0 0.0-1.0]";

struct DialogueCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> files;
  std::string input;
  std::string expected_out;
  int expected_exit;
  bool expect_diagnostic;
};

std::vector<DialogueCase> dialogue_cases() {
  const std::pair<std::string, std::string> logs[] = {
      {"run_100K.out", ""}, {"run_150K.out", ""}, {"run_200K.out", ""}};
  return {
      {"wrong name then right one",
       {{"list.txt", "title\nlabels\n"}},
       "nosuch.txt\nlist.txt\n" + kNineNo,
       Transcript().banner_and_prompt().missing_name("nosuch.txt").announcement_and_offers().end(),
       0,
       false},
      {"header-only run list",
       {{"list.txt", "title\nlabels\n"}},
       "list.txt\n" + kNineNo,
       Transcript().banner_and_prompt().announcement_and_offers().end(),
       0,
       false},
      {"worked example with a matrix run",
       {{"list.txt", kWorkedExample}, logs[0], logs[1], logs[2]},
       "list.txt\n" + kNineNo,
       Transcript().banner_and_prompt().matrix_echo(kEcho150).announcement_and_offers().end(),
       0,
       false},
      {"blank line after the last run",
       {{"list.txt", kWorkedExample + "\n"}, logs[0], logs[1], logs[2]},
       "list.txt\n",
       Transcript().banner_and_prompt().matrix_echo(kEcho150).run_list_error().end(),
       1,
       false},
      {"missing log after a matrix line",
       {{"list.txt", kWorkedExample}, logs[0]},
       "list.txt\n",
       Transcript()
           .banner_and_prompt()
           .matrix_echo(kEcho150)
           .line(" !! run_150K.out does not exist !!")
           .line(" ")
           .end(),
       1,
       false},
      {"temperature that is not a number ends the pass quietly",
       {{"list.txt", "title\nlabels\nrun_100K.out 100\nrun_150K.out hot\nrun_200K.out 200\n"},
        logs[0],
        logs[1],
        logs[2]},
       "list.txt\n" + kNineNo,
       Transcript().banner_and_prompt().announcement_and_offers().end(),
       0,
       true},
      {"run list of one line",
       {{"list.txt", "only a title\n"}},
       "list.txt\n",
       Transcript().banner_and_prompt().end(),
       2,
       true},
      {"end of input at the prompt", {}, "", Transcript().banner_and_prompt().end(), 2, true},
      {"a directory is not a run list",
       {{"list.txt", "title\nlabels\n"}},
       ".\nlist.txt\n" + kNineNo,
       Transcript().banner_and_prompt().missing_name(".").announcement_and_offers().end(),
       0,
       false},
      {"a quoted log name may hold a blank",
       {{"list.txt", "title\nlabels\n\"my run.out\" 150\n"}, {"my run.out", ""}},
       "list.txt\n" + kNineNo,
       Transcript().banner_and_prompt().announcement_and_offers().end(),
       0,
       false},
      {"an unquoted log name ends at a slash",
       {{"list.txt", "title\nlabels\nlogs/run.out 150\n"}},
       "list.txt\n",
       Transcript().banner_and_prompt().line(" !! logs does not exist !!").line(" ").end(),
       1,
       false},
      {"three columns stop the program",
       {{"list.txt", "title\nlabels\n'my run.out' 100\n"}},
       "list.txt\n",
       Transcript().banner_and_prompt().run_list_error().end(),
       1,
       false},
  };
}

TEST(Dialogue, ConsoleTranscriptsAndExitCodes) {
  for (const auto& c : dialogue_cases()) {
    ScratchDir dir;
    for (const auto& [name, content] : c.files) dir.write(name, content);
    const ToolRun run = run_tool(dir, c.input);
    EXPECT_EQ(run.out, c.expected_out) << c.name;
    EXPECT_EQ(run.exit_code, c.expected_exit) << c.name << "\nstderr: " << run.err;
    if (c.expect_diagnostic) {
      EXPECT_EQ(run.err.rfind("read_quavelon_out: ", 0), 0u) << c.name << ": " << run.err;
    } else {
      EXPECT_EQ(run.err, "") << c.name;
    }
  }
}

TEST(Dialogue, UnreadableRunLineNamesItsLineOnStandardError) {
  ScratchDir dir;
  dir.write("list.txt", "title\nlabels\nrun.out 100\nrun.out hot\n");
  dir.write("run.out", "");
  const ToolRun run = run_tool(dir, "list.txt\n" + kNineNo);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err.rfind("read_quavelon_out: warning: list.txt, line 4: ", 0), 0u) << run.err;
  EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

TEST(Dialogue, RunListOfOneLineCreatesNoOutputFile) {
  ScratchDir dir;
  dir.write("list.txt", "only a title\n");
  run_tool(dir, "list.txt\n");
  EXPECT_FALSE(dir.exists("TK_parameters_quavelon_out.xy"));
  EXPECT_FALSE(dir.exists("TK_cell_a.pgf"));
}

// 5200 runs: every one is a table row and a point of each pattern.
TEST(Dialogue, WritesEveryRunOfALongList) {
  ScratchDir dir;
  std::string list = "title\nlabels\n";
  for (int i = 0; i < 5200; ++i) list += "run.out " + std::to_string(i % 900) + "\n";
  dir.write("list.txt", list);
  dir.write("run.out", "  mosaicity : 0.25 0.5\n");
  const ToolRun run = run_tool(dir, "list.txt\n" + kNineNo);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string table = dir.read("TK_parameters_quavelon_out.xy");
  std::size_t rows = 0;
  for (std::size_t at = table.find("\r\n"); at != std::string::npos;
       at = table.find("\r\n", at + 2))
    ++rows;
  EXPECT_EQ(rows, 4u + 5200u);
  const std::string volume = dir.read("TK_mosaicity.pgf");
  EXPECT_NE(volume.find("#  NUMBER OF POINTS :     5200"), std::string::npos);
}

}  // namespace
}  // namespace rqo::testing
