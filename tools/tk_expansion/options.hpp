#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "geometry.hpp"
#include "input.hpp"
#include "model/table_layout.hpp"

namespace tkx {

constexpr std::string_view kDefaultInput = rqo::table_layout::kFileName;

struct Options {
  enum class Action { Analyse, Help, Version };
  Action action = Action::Analyse;
  std::string file{kDefaultInput};
  TableOptions table;
  bool table_options_given = false;  // --cell or --sigma-t
  StrainSettings strain;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The arguments after the program name. Throws UsageError for an unknown option, a bad or
// missing value, or more than one file.
Options parse_options(std::span<const char* const> arguments);

std::string usage_text();

}  // namespace tkx
