// The tool's arguments: a run list named on the command line (as a script or a file dropped on
// the program gives it) and the choice of plot files; the outputs are those of the dialogue.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/tool_outputs.hpp"
#include "support/tool_run.hpp"

namespace rqo::testing {
namespace {

namespace fs = std::filesystem;

const std::string kPromptBlock = "\n \n  > Enter buffer file (output list)   : ";

// The worked example with a stand-in plotting program in bin/ that logs its calls.
void set_up(const ScratchDir& dir) {
  const fs::path data = fs::path(RQO_TEST_DATA) / "output_worked_example";
  for (const auto& entry : fs::directory_iterator(data))
    if (entry.is_regular_file()) fs::copy_file(entry.path(), dir.path() / entry.path().filename());
  fs::create_directory(dir.path() / "bin");
#ifdef _WIN32
  fs::copy_file(fs::absolute(RQO_STAND_IN_PLOTTER), dir.path() / "bin" / "kestrova.exe");
#else
  dir.write("bin/kestrova", "#!/bin/sh\necho \"$# $1\" >> calls.log\n");
  fs::permissions(dir.path() / "bin/kestrova", fs::perms::owner_all);
#endif
}

std::string without(std::string text, const std::string& part) {
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at))
    text.erase(at, part.size());
  return text;
}

std::string offers_of(const std::string& ending) {
  std::string offers;
  for (const auto& name : kPlotFiles)
    offers += "\n   . " + name + " file has been created" + ending;
  return offers;
}

TEST(Arguments, RunListAndPlotChoiceGiveTheDialoguesOutputs) {
  ScratchDir reference;
  set_up(reference);
  const ToolRun dialogue = run_tool(reference, "runs.txt\n" + kNineNo);
  ASSERT_EQ(dialogue.exit_code, 0) << dialogue.err;
  const std::string asked = offers_of(": plot it (y/n) ?  ");
  ASSERT_NE(dialogue.out.find(asked), std::string::npos);
  const std::string named = without(dialogue.out, kPromptBlock);

  std::string plotted = without(named, asked);  // each offer shown without its question
  plotted.insert(plotted.size() - 1, offers_of(" "));
  std::string all_calls;
  for (const auto& name : kPlotFiles) all_calls += "1 " + name + "\n";
  const struct {
    std::vector<std::string> arguments;
    std::string input;
    std::string out;
    std::string calls;
  } cases[] = {
      {{"runs.txt"}, kNineNo, named, ""},
      {{"runs.txt"}, "y\n" + kNineNo.substr(2), named, "1 TK_cell_a.pgf\n"},
      {{"runs.txt", "--plots", "ask"}, kNineNo, named, ""},
      {{"runs.txt", "--plots", "none"}, "", without(named, asked), ""},
      {{"--plots=none"}, "runs.txt\n", without(dialogue.out, asked), ""},
      {{"--plots", "all", "runs.txt"}, "", plotted, all_calls},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    set_up(dir);
    const ToolRun run = run_program_in(dir, tool_path(), c.arguments, c.input,
                                       {PathChange::Kind::Prefix, (dir.path() / "bin").string()});
    const std::string shown = c.arguments.front() + " " + c.arguments.back();
    EXPECT_EQ(run.exit_code, 0) << shown << run.err;
    EXPECT_EQ(run.err, "") << shown;
    EXPECT_EQ(run.out, c.out) << shown;
    EXPECT_EQ(dir.exists("calls.log") ? dir.read("calls.log") : "", c.calls) << shown;
    for (const auto& name : kPlotFiles) EXPECT_EQ(dir.read(name), reference.read(name)) << name;
    EXPECT_EQ(dir.read(kTable), reference.read(kTable)) << shown;
  }
}

TEST(Arguments, MissingRunListEndsAtOnceWithoutOutputs) {
  ScratchDir dir;
  const ToolRun run = run_program_in(dir, tool_path(), {"nosuch.txt"}, "runs.txt\n");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, "read_quavelon_out: fatal: \"nosuch.txt\" does not exist\n");
  EXPECT_FALSE(dir.exists(kTable));
}

}  // namespace
}  // namespace rqo::testing
