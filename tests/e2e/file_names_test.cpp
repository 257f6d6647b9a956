// File names as Windows users have them, on every platform: in UTF-8 (a run list saved by
// Notepad), in the ANSI code page, given on the command line, and paths longer than 260
// characters. The outputs are those of the same series under plain names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/native_path.hpp"
#include "support/tool_outputs.hpp"
#include "support/tool_run.hpp"

namespace rqo::testing {
namespace {

namespace fs = std::filesystem;

const std::string kList = "! Cooling series\nlog T\nrun_100K.out 100\n";

// Writes a file by a name as the tool takes it (UTF-8, or in the ANSI code page on Windows).
void write_named(const std::string& name, const std::string& content) {
  std::ofstream(platform::native_path(name), std::ios::binary) << content;
}

// The name of a file in the folder, as the tool is given it.
std::string in(const ScratchDir& dir, const std::string& name) {
  return dir.path().string() + static_cast<char>(fs::path::preferred_separator) + name;
}

std::string worked_log() {
  return read_file(fs::path(RQO_TEST_DATA) / "output_worked_example" / "run_100K.out");
}

TEST(FileNames, LogAndRunListNamesInUtf8AndTheAnsiCodePage) {
  ScratchDir reference;
  reference.write("run_100K.out", worked_log());
  reference.write("runs.txt", kList);
  const ToolRun plain = run_program_in(reference, tool_path(), {"runs.txt", "--plots", "none"});
  ASSERT_EQ(plain.exit_code, 0) << plain.err;

  const std::string utf8 =
      "Probe_Gr\xC3\xB6\xC3\x9F"
      "e_300K";  // Größe
  const std::string ansi =
      "Probe_Gr\xF6\xDF"
      "e_300K";  // the same in code page 1252
  const struct {
    const char* what;
    std::string log;
    std::string run_list;
  } cases[] = {
      {"UTF-8 log name", utf8 + ".out", "runs.txt"},
      {"ANSI log name", ansi + ".out", "runs.txt"},
      {"UTF-8 run-list name", "run_100K.out", utf8 + ".txt"},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    std::string list = kList;
    list.replace(list.find("run_100K.out"), 12, c.log);
    write_named(in(dir, c.log), worked_log());
    write_named(in(dir, c.run_list), list);
    const ToolRun run = run_program_in(dir, tool_path(), {c.run_list, "--plots", "none"});
    EXPECT_EQ(run.exit_code, 0) << c.what << ": " << run.err;
    EXPECT_EQ(dir.read(kTable), reference.read(kTable)) << c.what;
  }
}

TEST(FileNames, RunListAtAPathLongerThan260Characters) {
  ScratchDir dir;
  dir.write("run_100K.out", worked_log());
  std::string name = dir.path().string();
  for (int i = 0; i < 4; ++i) {
    name += static_cast<char>(fs::path::preferred_separator) + std::string(80, 'a' + i);
    fs::create_directory(platform::native_path(name));
  }
  name += static_cast<char>(fs::path::preferred_separator) + std::string("runs.txt");
  ASSERT_GT(name.size(), 260u);
  write_named(name, kList);
  const ToolRun run = run_program_in(dir, tool_path(), {name, "--plots", "none"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(dir.read(kTable).find("Cooling series"), std::string::npos);
}

}  // namespace
}  // namespace rqo::testing
