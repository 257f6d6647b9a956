#pragma once

#ifdef _WIN32

#include <filesystem>
#include <string>

#include "support/tool_run.hpp"

namespace rqo::testing {

struct WindowsRun {
  int exit_code = -1;
  long peak_memory_kb = 0;
  double seconds = 0;
};

// Starts `command_line` (the program's path quoted first) in `directory` with standard input
// from `in` (none when empty) and standard output and error into the files `out` and `err`,
// and waits for it. With `kill_when_shown`, the content of `in` comes through a pipe that stays
// open, and the program is ended as soon as `out` holds that text.
WindowsRun run_windows_program(const std::string& command_line,
                               const std::filesystem::path& directory,
                               const std::filesystem::path& in, const std::filesystem::path& out,
                               const std::filesystem::path& err, const PathChange& path = {},
                               const std::string& kill_when_shown = "");

// The text in double quotes, for a command line.
std::string quoted(const std::string& text);

// A text written by a Windows program in text mode, with its CR LF line ends as LF, as the
// program writes it on Linux. A LF without its CR is a test failure.
std::string from_windows_lines(const std::string& text, const char* what);

}  // namespace rqo::testing

#endif
