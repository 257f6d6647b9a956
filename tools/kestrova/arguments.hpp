#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrova {

// What the command line asks for: show one plot file (in the report, opened at its plot), or
// write the report of a folder without opening anything.
struct Arguments {
  enum class Action { Show, Report };
  Action action = Action::Show;
  std::string plot_name;      // for Show
  std::string report_folder;  // for Report; "." when none is given
};

inline constexpr const char* kUsage = "kestrova PLOT_FILE | --report [FOLDER] | --help | --version";

// Parses the arguments (UTF-8) through the programs' one command-line answer: gives the
// arguments, or answers --help, --version and a bad argument on `out` and `err` and gives the
// exit code in `answered`.
std::optional<Arguments> parse_arguments(const std::vector<std::string>& arguments,
                                         std::ostream& out, std::ostream& err, int& answered);

}  // namespace kestrova
