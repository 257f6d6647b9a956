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
  const std::string usage =
      "usage: read_quavelon_out [RUNLIST] [--plots ask|none|all]; 'read_quavelon_out --help' "
      "tells more\n";
  std::vector<ArgumentCase> cases = {
      {{"--help"}, 0, "Reads a run list", ""},
      {{"--version"}, 0, std::string("read_quavelon_out ") + RQO_VERSION + "\n", ""},
      {{"--bogus"},
       2,
       "",
       "read_quavelon_out: The following argument was not expected: --bogus\n" + usage},
      {{"a.txt", "b.txt"},
       2,
       "",
       "read_quavelon_out: The following argument was not expected: b.txt\n" + usage},
      {{"--plots", "some"},
       2,
       "",
       "read_quavelon_out: --plots: some not in {ask,none,all}\n" + usage},
  };
#ifdef _WIN32
  cases.push_back({{"/?"}, 0, "Reads a run list", ""});
#endif
  check_cases(tool_path(), cases);
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
