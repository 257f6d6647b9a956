#include "driver/answer_command_line.hpp"

#include "model/table_layout.hpp"
#include "platform/command_line.hpp"
#include "records/error_policy.hpp"

namespace rqo {

namespace {

constexpr std::string_view kUsage = "read_quavelon_out [RUNLIST] [--plots ask|none|all]";
// The description, around the table file's name.
constexpr std::string_view kDescriptionBefore =
    "Reads a run list (a title line, a line of column labels, then one line per processing\n"
    "log: its name, the temperature and optionally a 3x3 matrix by rows), asking for its name\n"
    "unless RUNLIST gives it; reads each log and writes\n";
constexpr std::string_view kDescriptionAfter =
    " and nine plot files TK_*.pgf to the current folder,\n"
    "then offers each plot file to the plotting program kestrova.\n";

}  // namespace

std::optional<int> answer_command_line(const std::vector<std::string>& arguments,
                                       std::string_view version, Invocation& invocation,
                                       std::ostream& out, std::ostream& err) {
  std::string description(kDescriptionBefore);
  description += table_layout::kFileName;
  description += kDescriptionAfter;
  CLI::App app(description, std::string(kProgramName));
  app.add_option("RUNLIST", invocation.run_list, "The run list to read, instead of asking for it");
  std::string plots = "ask";
  app.add_option("--plots", plots,
                 "ask: offer each plot file (the default); none: offer none; all: plot every "
                 "file without asking")
      ->check(CLI::IsMember({"ask", "none", "all"}));
  const auto answered = platform::answer_command_line(app, arguments, kUsage, version, out, err);
  if (plots == "none") invocation.plots = PlotOffers::None;
  if (plots == "all") invocation.plots = PlotOffers::All;
  return answered;
}

}  // namespace rqo
