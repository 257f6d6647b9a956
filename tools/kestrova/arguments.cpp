#include "arguments.hpp"

#include <string_view>

namespace kestrova {

Arguments parse_arguments(std::span<const char* const> arguments) {
  if (arguments.size() != 1) return {};
  const std::string_view only = arguments[0];
  if (only == "--help") return {Arguments::Action::Help, {}};
  if (only == "--version") return {Arguments::Action::Version, {}};
  // A plot file's name never starts with "--"; what does is an option this program lacks.
  if (only.empty() || only.starts_with("--")) return {};
  return {Arguments::Action::Draw, std::string(only)};
}

}  // namespace kestrova
