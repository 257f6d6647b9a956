#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace rqo {

// The tool takes no arguments: it runs its dialogue. "--help" alone writes the usage to `out`,
// "--version" alone the name and version (both exit 0); anything else is refused with the
// usage on `err` (exit 2). Gives the exit code when the command line has been answered,
// nothing when the dialogue is to run.
std::optional<int> answer_command_line(std::span<const char* const> arguments,
                                       std::string_view version, std::ostream& out,
                                       std::ostream& err);

}  // namespace rqo
