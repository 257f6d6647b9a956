#include "arguments.hpp"

#include "platform/command_line.hpp"

namespace kestrova {

namespace {

constexpr const char* kDescription =
    "Shows the plot files of read_quavelon_out (TK_*.pgf) in one interactive report,\n"
    "TK_report.html, written beside them from every file of the series present in their folder:\n"
    "the nine plots, the table and, when tk_expansion has run there, the thermal expansion with\n"
    "its indicatrix. The report is one HTML file that needs no network and can be mailed.\n"
    "\n"
    "kestrova PLOT_FILE writes (or refreshes) the report and opens it in the default browser at\n"
    "that file's plot, without waiting for the browser. On Linux that takes a graphical session\n"
    "(DISPLAY or WAYLAND_DISPLAY set) and xdg-open; without one kestrova says where the report is\n"
    "and, when gnuplot is on the PATH, also draws the plot on the terminal and into a PNG image\n"
    "beside the file (TK_cell_a.pgf gives TK_cell_a.png).\n"
    "kestrova --report [FOLDER] writes the report of FOLDER (the current one by default) and\n"
    "opens nothing.\n"
    "\n"
    "Exit status: 0 when the report is written; 1 when a file is not a plot file or cannot be\n"
    "read (the report is left as it was); 2 for a folder that cannot be written or a bad\n"
    "argument; 3 when gnuplot fails.\n";

}  // namespace

std::optional<Arguments> parse_arguments(const std::vector<std::string>& arguments,
                                         std::ostream& out, std::ostream& err, int& answered) {
  CLI::App app(kDescription, "kestrova");
  Arguments parsed;
  auto* plot = app.add_option("PLOT_FILE", parsed.plot_name,
                              "the plot file to show (the report opens at its plot)");
  auto* report = app.add_option("--report", parsed.report_folder,
                                "write the report of FOLDER (default: the current folder) and "
                                "open nothing")
                     ->expected(0, 1)
                     ->type_name("[FOLDER]");
  plot->excludes(report);
  app.callback([&] {
    if (plot->count() == 0 && report->count() == 0)
      throw CLI::RequiredError("a PLOT_FILE or --report");
  });
  if (const auto code =
          rqo::platform::answer_command_line(app, arguments, kUsage, RQO_VERSION, out, err)) {
    answered = *code;
    return std::nullopt;
  }
  if (report->count() > 0) {
    parsed.action = Arguments::Action::Report;
    if (parsed.report_folder.empty()) parsed.report_folder = ".";
  }
  return parsed;
}

}  // namespace kestrova
