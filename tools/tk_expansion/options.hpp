#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis.hpp"
#include "input.hpp"
#include "model/table_layout.hpp"

namespace tkx {

constexpr std::string_view kDefaultInput = rqo::table_layout::kFileName;

struct Options {
  std::string file{kDefaultInput};
  TableOptions table;
  bool table_options_given = false;  // --cell or --sigma-t
  Settings settings;
};

// Reads the arguments after the program's name into `options`. Answers --help, --version,
// "/?" on Windows and a bad argument as every program of the suite does, and then gives the
// exit code; gives nothing when the analysis is to run.
std::optional<int> read_command_line(const std::vector<std::string>& arguments,
                                     std::string_view version, Options& options, std::ostream& out,
                                     std::ostream& err);

}  // namespace tkx
