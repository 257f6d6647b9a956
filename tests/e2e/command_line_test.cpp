// Both shipped programs answer --help and --version and refuse arguments they do not take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/tool_run.hpp"

namespace rqo::testing {
namespace {

struct ArgumentCase {
  std::vector<std::string> arguments;
  int exit_code;
  std::string out_start;  // the start of standard output
  std::string err;        // standard error as a whole
};

void check_cases(const std::string& program, const std::vector<ArgumentCase>& cases) {
  for (const ArgumentCase& c : cases) {
    std::string shown;
    for (const auto& argument : c.arguments) shown += "[" + argument + "]";
    const ToolRun run = run_program(program, c.arguments);
    EXPECT_EQ(run.exit_code, c.exit_code) << shown;
    EXPECT_EQ(run.out.substr(0, c.out_start.size()), c.out_start) << shown << run.out;
    EXPECT_EQ(run.err, c.err) << shown;
  }
}

TEST(CommandLine, ToolAnswersHelpAndVersionAndRefusesOtherArguments) {
  const std::string usage = "usage: read_quavelon_out [--help | --version]";
  check_cases(tool_path(),
              {
                  {{"--help"}, 0, usage + "\n\nAsks for a run list", ""},
                  {{"--version"}, 0, std::string("read_quavelon_out ") + RQO_VERSION + "\n", ""},
                  {{"runs.txt"},
                   2,
                   "",
                   "read_quavelon_out: unknown argument \"runs.txt\"; " + usage + "\n"},
                  {{"--help", "--version"},
                   2,
                   "",
                   "read_quavelon_out: too many arguments: \"--help\"; " + usage + "\n"},
              });
}

#ifdef RQO_KESTROVA
TEST(CommandLine, KestrovaAnswersHelpAndVersionAndRefusesOtherArguments) {
  const std::string hint =
      "usage: kestrova PLOT_FILE | --report [FOLDER] | --help | --version; 'kestrova --help' "
      "tells more\n";
  check_cases(
      RQO_KESTROVA,
      {
          {{"--help"}, 0, "Shows the plot files of read_quavelon_out", ""},
          {{"--version"}, 0, std::string("kestrova ") + RQO_VERSION + "\n", ""},
          {{}, 2, "", "kestrova: a PLOT_FILE or --report is required\n" + hint},
          {{"--plot"}, 2, "", "kestrova: The following argument was not expected: --plot\n" + hint},
          {{"a.pgf", "b.pgf"},
           2,
           "",
           "kestrova: The following argument was not expected: b.pgf\n" + hint},
      });
}
#endif

}  // namespace
}  // namespace rqo::testing
