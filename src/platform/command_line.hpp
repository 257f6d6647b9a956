#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace rqo::platform {

// The program's arguments after its name, as UTF-8. On Windows they come from the wide command
// line, so a name in any script (a file dropped on the program, say) arrives whole.
std::vector<std::string> utf8_arguments(int argc, char** argv);

// The one way every program answers its command line. `app` declares the options and
// positionals; "--help" (and "/?" on Windows) writes `app`'s help to `out`, "--version" writes
// "<name> <version>" to `out` (exit 0); an argument `app` does not take writes two lines to
// `err`, "<name>: <what is wrong, naming the argument>" and
// "usage: <usage>; '<name> --help' tells more" (exit 2). Gives the exit code when the command
// line has been answered, nothing when the program is to run.
std::optional<int> answer_command_line(CLI::App& app, const std::vector<std::string>& arguments,
                                       std::string_view usage, std::string_view version,
                                       std::ostream& out, std::ostream& err);

// Exit status after an argument a program does not take.
inline constexpr int kExitUsage = 2;

}  // namespace rqo::platform
