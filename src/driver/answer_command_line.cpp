#include "driver/answer_command_line.hpp"

#include <string>

#include "driver/exit_codes.hpp"
#include "model/table_layout.hpp"
#include "records/error_policy.hpp"

namespace rqo {

namespace {

constexpr std::string_view kUsage = "usage: read_quavelon_out [--help | --version]";
// The description, around the table file's name.
constexpr std::string_view kDescriptionBefore =
    "Asks for a run list (a title line, a line of column labels, then one line per processing\n"
    "log: its name, the temperature and optionally a 3x3 matrix by rows), reads each log and\n"
    "writes ";
constexpr std::string_view kDescriptionAfter =
    " and nine plot files TK_*.pgf to the current folder,\n"
    "then offers each plot file to the plotting program kestrova.\n";

}  // namespace

std::optional<int> answer_command_line(std::span<const char* const> arguments,
                                       std::string_view version, std::ostream& out,
                                       std::ostream& err) {
  if (arguments.empty()) return std::nullopt;
  const std::string_view first = arguments[0];
  if (arguments.size() == 1 && first == "--help") {
    out << kUsage << "\n\n"
        << kDescriptionBefore << table_layout::kFileName << kDescriptionAfter << std::flush;
    return kExitNormal;
  }
  if (arguments.size() == 1 && first == "--version") {
    out << kProgramName << " " << version << "\n" << std::flush;
    return kExitNormal;
  }
  std::string refused(kProgramName);
  refused += ": ";
  refused += arguments.size() == 1 ? "unknown argument \"" : "too many arguments: \"";
  refused += first;
  refused += "\"; ";
  refused += kUsage;
  err << refused << "\n" << std::flush;
  return kExitFatal;
}

}  // namespace rqo
