#pragma once

#include <span>
#include <string>

namespace kestrova {

// What the command line asks for: draw the one plot file it names, or answer "--help" or
// "--version"; anything else is a usage error (exit 2).
struct Arguments {
  enum class Action { Draw, Help, Version, UsageError };
  Action action = Action::UsageError;
  std::string plot_name;  // for Draw
};

Arguments parse_arguments(std::span<const char* const> arguments);

inline constexpr const char* kUsage = "usage: kestrova PLOT_FILE | --help | --version";

}  // namespace kestrova
