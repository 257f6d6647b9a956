// Run lists as editors on Windows save them, and the end of console input there: a UTF-8
// byte-order mark is passed over, UTF-16 text is refused before any output file exists, and a
// line that is Ctrl-Z alone ends the input on Windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/tool_outputs.hpp"
#include "support/tool_run.hpp"

namespace rqo::testing {
namespace {

namespace fs = std::filesystem;

void copy_worked_example(const ScratchDir& dir) {
  const fs::path data = fs::path(RQO_TEST_DATA) / "output_worked_example";
  for (const auto& entry : fs::directory_iterator(data))
    if (entry.is_regular_file()) fs::copy_file(entry.path(), dir.path() / entry.path().filename());
}

// The text as UTF-16 (its characters are ASCII), little- or big-endian.
std::string utf16(const std::string& text, bool little_endian) {
  std::string wide;
  for (char c : text) {
    wide += little_endian ? std::string{c, '\0'} : std::string{'\0', c};
  }
  return wide;
}

TEST(RunListText, Utf8MarkIsPassedOverAndTheOutputsAreUnchanged) {
  ScratchDir reference;
  copy_worked_example(reference);
  const ToolRun plain = run_tool(reference, "runs.txt\n" + kNineNo);
  ASSERT_EQ(plain.exit_code, 0) << plain.err;

  ScratchDir dir;
  copy_worked_example(dir);
  dir.write("runs.txt", "\xEF\xBB\xBF" + reference.read("runs.txt"));
  const ToolRun marked = run_tool(dir, "runs.txt\n" + kNineNo);
  EXPECT_EQ(marked.exit_code, 0) << marked.err;
  EXPECT_EQ(marked.out, plain.out);
  for (const auto& name : kOutputs) EXPECT_EQ(dir.read(name), reference.read(name)) << name;
}

TEST(RunListText, Utf16IsRefusedBeforeAnyOutputExists) {
  const std::string list = "! Cooling series\r\nlog T\r\nrun_100K.out 100\r\n";
  const struct {
    const char* name;
    std::string content;
  } cases[] = {
      {"little-endian with its mark", "\xFF\xFE" + utf16(list, true)},
      {"big-endian with its mark", "\xFE\xFF" + utf16(list, false)},
      {"little-endian without a mark", utf16(list, true)},
      {"a NUL byte in the title", std::string("! Cooling\0 series\nlog T\n", 24)},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    copy_worked_example(dir);
    dir.write("runs.txt", c.content);
    const ToolRun run = run_tool(dir, "runs.txt\n" + kNineNo);
    EXPECT_EQ(run.exit_code, 2) << c.name;
    EXPECT_EQ(run.err,
              "read_quavelon_out: fatal: runs.txt is UTF-16 text: save it as UTF-8 or ANSI\n")
        << c.name;
    for (const auto& name : kOutputs) EXPECT_FALSE(dir.exists(name)) << c.name << ": " << name;
  }
}

TEST(RunListText, CtrlZAloneOnALineEndsConsoleInputOnWindowsOnly) {
  ScratchDir dir;
  copy_worked_example(dir);
  const ToolRun ended = run_tool(dir, "");
  const ToolRun ctrl_z = run_tool(dir, "\x1A\r\nruns.txt\n" + kNineNo);
#ifdef _WIN32
  EXPECT_EQ(ctrl_z.exit_code, ended.exit_code);
  EXPECT_EQ(ctrl_z.out, ended.out);
  EXPECT_EQ(ctrl_z.err, ended.err);
  EXPECT_FALSE(dir.exists(kTable));
#else
  // A name like any other, which names no file.
  EXPECT_EQ(ctrl_z.exit_code, 0) << ctrl_z.err;
  EXPECT_NE(ctrl_z.out.find("  !! \x1A does not exist !!"), std::string::npos);
#endif
  EXPECT_EQ(ended.exit_code, 2);
}

}  // namespace
}  // namespace rqo::testing
