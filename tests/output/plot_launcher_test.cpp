#include "output/plot_launcher.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "records/program_stop.hpp"

namespace rqo {
namespace {

// A console on string streams and a launcher whose commands are recorded, not run.
struct LauncherRig {
  explicit LauncherRig(const std::string& typed) : keyboard(typed) {}

  std::ostringstream screen;
  std::istringstream keyboard;
  std::ostringstream diagnostics;
  Console console{screen, keyboard, false};
  ErrorPolicy policy{diagnostics};
  std::vector<std::string> commands;
  std::string failure;  // what the runner says kept the command from starting, if anything
  PlotLauncher launcher{console, policy, [this](const std::string& command) {
                          commands.push_back(command);
                          return failure.empty() ? PlotCommandResult::ran()
                                                 : PlotCommandResult::not_started(failure);
                        }};
};

TEST(PlotLauncher, SingleAnswer) {
  struct Case {
    const char* typed;
    bool runs;
  };
  const Case cases[] = {
      {"y\n", true},      {"Y\n", true},
      {"\"y\"\n", true},  {"'Y'\n", true},
      {"  y   \n", true}, {"y and more words\n", true},
      {"y,n\n", true},    {"\n   \n\ty\n", true},
      {"yes\n", false},   {"n\n", false},
      {"N\n", false},     {"' y'\n", false},
      {"yy\n", false},    {",\n", false},
      {"/\n", false},     {"yyyyyyyyyyyyyyyyy\n", false},
  };
  for (const Case& c : cases) {
    LauncherRig rig(c.typed);
    rig.launcher.plot_it("TK_cell_a.pgf");
    const std::vector<std::string> expected =
        c.runs ? std::vector<std::string>{"kestrova TK_cell_a.pgf"} : std::vector<std::string>{};
    EXPECT_EQ(rig.commands, expected) << "typed [" << c.typed << "]";
  }
}

TEST(PlotLauncher, NullAnswerRepeatsThePreviousDecision) {
  struct Case {
    const char* typed;
    std::vector<std::string> commands;
  };
  const Case cases[] = {
      {"y\n,\n", {"kestrova first.pgf", "kestrova second.pgf"}},
      {"y\n/\n", {"kestrova first.pgf", "kestrova second.pgf"}},
      {"n\n,\n", {}},
      {"y\nn\n", {"kestrova first.pgf"}},
      {"n\ny\n", {"kestrova second.pgf"}},
  };
  for (const Case& c : cases) {
    LauncherRig rig(c.typed);
    rig.launcher.plot_it("first.pgf");
    rig.launcher.plot_it("second.pgf");
    EXPECT_EQ(rig.commands, c.commands) << "typed [" << c.typed << "]";
  }
}

TEST(PlotLauncher, OfferIsOneRecordAndTheAnswerStaysOnItsLine) {
  LauncherRig rig("n\nn\n");
  rig.launcher.plot_it("TK_cell_a.pgf");
  rig.launcher.plot_it("TK_chi2.pgf");
  EXPECT_EQ(rig.screen.str(),
            "\r   . TK_cell_a.pgf file has been created: plot it (y/n) ?  "
            "\n   . TK_chi2.pgf file has been created: plot it (y/n) ?  ");
}

TEST(PlotLauncher, OfferIsOnTheScreenBeforeTheCommandRuns) {
  std::ostringstream screen;
  std::istringstream keyboard("y\n");
  std::ostringstream diagnostics;
  Console console(screen, keyboard, false);
  ErrorPolicy policy(diagnostics);
  std::string shown_when_run;
  PlotLauncher launcher(console, policy, [&](const std::string&) {
    shown_when_run = screen.str();
    return PlotCommandResult::ran();
  });
  launcher.plot_it("TK_volume.pgf");
  EXPECT_EQ(shown_when_run, "\r   . TK_volume.pgf file has been created: plot it (y/n) ?  ");
}

TEST(PlotLauncher, CommandIsCutTo128Characters) {
  LauncherRig rig("y\n");
  const std::string long_name(200, 'f');
  rig.launcher.plot_it(long_name);
  ASSERT_EQ(rig.commands.size(), 1u);
  EXPECT_EQ(rig.commands[0], "kestrova " + std::string(119, 'f'));
}

TEST(PlotLauncher, EndOfConsoleInputEndsTheProgram) {
  LauncherRig rig("\n  \n");
  try {
    rig.launcher.plot_it("TK_cell_a.pgf");
    FAIL() << "the end of the keyboard input did not end the program";
  } catch (const ProgramStop& stop) {
    EXPECT_EQ(stop.reason, StopReason::Fatal);
  }
  EXPECT_TRUE(rig.commands.empty());
  EXPECT_EQ(rig.diagnostics.str().rfind("read_quavelon_out: ", 0), 0u);
}

// A plotting program that cannot be started: one warning line each time, the offers go on.
TEST(PlotLauncher, CommandThatCannotStartIsReportedAndTheDialogueGoesOn) {
  LauncherRig rig("y\ny\n");
  rig.failure = "cannot start the plotting program (\"kestrova a.pgf\"): not found";
  rig.launcher.plot_it("a.pgf");
  rig.launcher.plot_it("b.pgf");
  EXPECT_EQ(rig.commands.size(), 2u);
  EXPECT_EQ(rig.diagnostics.str(), "read_quavelon_out: warning: " + rig.failure +
                                       "\nread_quavelon_out: warning: " + rig.failure + "\n");
}

#ifdef _WIN32
TEST(RunPlotCommand, ProgramThatCannotBeFoundIsReported) {
  const PlotCommandResult result = run_plot_command("rqo_no_such_program_anywhere x.pgf");
  EXPECT_FALSE(result.started());
  EXPECT_EQ(
      result.failure().rfind("cannot start the plotting program (\"rqo_no_such_program_anywhere "
                             "x.pgf\"): ",
                             0),
      0u)
      << result.failure();
}
#else
TEST(RunPlotCommand, WaitsForTheCommandToEnd) {
  const std::string marker = ::testing::TempDir() + "rqo_interpreter_marker";
  std::remove(marker.c_str());
  EXPECT_TRUE(run_plot_command("sleep 0.2; echo done > '" + marker + "'").started());
  std::FILE* file = std::fopen(marker.c_str(), "r");
  ASSERT_NE(file, nullptr) << "the command had not ended when the call returned";
  std::fclose(file);
  std::remove(marker.c_str());
}
#endif

}  // namespace
}  // namespace rqo
