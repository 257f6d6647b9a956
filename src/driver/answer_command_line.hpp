#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "driver/invocation.hpp"

namespace rqo {

// The tool's command line, "[RUNLIST] [--plots ask|none|all]": fills `invocation` and gives
// nothing when the program is to run (without arguments the dialogue runs as it always has).
// "--help" (and "/?" on Windows) and "--version" are answered on `out` (exit 0), an argument
// the tool does not take on `err` (exit 2); the exit code is then given.
std::optional<int> answer_command_line(const std::vector<std::string>& arguments,
                                       std::string_view version, Invocation& invocation,
                                       std::ostream& out, std::ostream& err);

}  // namespace rqo
