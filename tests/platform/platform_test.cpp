// File names and command lines as every program of the system takes them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/command_line.hpp"
#include "platform/utf8_text.hpp"

namespace rqo::platform {
namespace {

TEST(Utf8Text, AcceptsWellFormedTextAndRefusesTheRest) {
  const struct {
    std::string text;
    bool utf8;
  } cases[] = {
      {"", true},
      {"runs.txt", true},
      {"Probe_Gr\xC3\xB6\xC3\x9F"
       "e_300K.out",
       true},                      // Größe
      {"\xE2\x82\xAC", true},      // euro sign
      {"\xF0\x9F\x94\xAC", true},  // a four-byte character
      {"Gr\xF6\xDF"
       "e",
       false},                      // the same word in the ANSI code page
      {"\xC0\xAF", false},          // overlong "/"
      {"\xE0\x80\xAF", false},      // overlong, three bytes
      {"\xED\xA0\x80", false},      // a surrogate
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
      {"\xC3", false},              // cut short
      {"\x80", false},              // a lone continuation byte
  };
  for (const auto& c : cases) EXPECT_EQ(is_utf8(c.text), c.utf8) << c.text;
}

TEST(CommandLine, AnswersHelpVersionAndUnknownArgumentsTheSameWayInEveryProgram) {
  const struct {
    std::vector<std::string> arguments;
    std::optional<int> exit_code;
    std::string out_start;
    std::string err;
  } cases[] = {
      {{}, std::nullopt, "", ""},
      {{"runs.txt"}, std::nullopt, "", ""},
      {{"--help"}, 0, "Does one thing", ""},
      {{"--version"}, 0, "demo 1.2.3\n", ""},
      {{"--bogus"},
       kExitUsage,
       "",
       "demo: The following argument was not expected: --bogus\n"
       "usage: demo [FILE]; 'demo --help' tells more\n"},
      {{"a", "b"},
       kExitUsage,
       "",
       "demo: The following argument was not expected: b\n"
       "usage: demo [FILE]; 'demo --help' tells more\n"},
  };
  for (const auto& c : cases) {
    CLI::App app("Does one thing.", "demo");
    std::string file;
    app.add_option("FILE", file);
    std::ostringstream out, err;
    EXPECT_EQ(answer_command_line(app, c.arguments, "demo [FILE]", "1.2.3", out, err), c.exit_code);
    EXPECT_TRUE(out.str().starts_with(c.out_start)) << out.str();
    EXPECT_EQ(err.str(), c.err);
  }
}

}  // namespace
}  // namespace rqo::platform
