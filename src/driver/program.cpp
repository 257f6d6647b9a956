#include "driver/program.hpp"

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "driver/banner.hpp"
#include "driver/run_list.hpp"
#include "driver/run_table.hpp"
#include "driver/title.hpp"
#include "extract/cell_transform.hpp"
#include "extract/cell_volume.hpp"
#include "extract/log_scanner.hpp"
#include "output/plot_launcher.hpp"
#include "output/xy_files.hpp"
#include "records/formatted_input.hpp"
#include "records/formatted_output.hpp"
#include "records/input_file.hpp"
#include "records/list_input.hpp"
#include "records/pause.hpp"
#include "records/program_stop.hpp"

namespace rqo {

namespace {

constexpr std::array<std::string_view, kPlotFileCount> kPlotFileNames = {
    "TK_cell_a.pgf",     "TK_cell_b.pgf",    "TK_cell_c.pgf",
    "TK_cell_alpha.pgf", "TK_cell_beta.pgf", "TK_cell_gamma.pgf",
    "TK_volume.pgf",     "TK_mosaicity.pgf", "TK_chi2.pgf"};

// Everything the program holds for the whole run.
struct ProgramState {
  explicit ProgramState(ErrorPolicy& policy) : files(policy) {}

  InputFile run_list;
  TextHolder run_list_name{64};
  TextHolder title{128};
  XyFiles files;
  RunTable runs;
  int run_count = 0;
};

// The report for a file that exists but cannot be opened for reading.
std::string open_failure(const std::string& name, int error) {
  return "cannot open \"" + name + "\" for reading: " + std::strerror(error);
}

// Asks for the run list until an existing file is named, then opens it.
void open_run_list(ProgramState& state, Console& console, ErrorPolicy& policy) {
  for (;;) {
    write_list(console, {" "});
    write_list(console, {"  > Enter buffer file (output list)   : "});
    const std::array<ListItem, 1> items = {&state.run_list_name};
    read_list(console, items, StatusMode::NotWanted, policy);
    const std::string name(state.run_list_name.trimmed());
    if (file_exists(name)) {
      if (!state.run_list.open(name))
        policy.report(Condition::OpenFailed, open_failure(name, errno));
      return;
    }
    write_list(console, {"  !! ", name, " does not exist !!"});
    write_list(console, {"   press Enter key to continue "});
  }
}

void read_header_lines(ProgramState& state, ErrorPolicy& policy) {
  TextHolder line(128);
  read_formatted_text(state.run_list, line, StatusMode::NotWanted, policy);
  derive_title(line.view(), state.title);
  read_formatted_text(state.run_list, line, StatusMode::NotWanted, policy);
}

[[noreturn]] void stop_on_run_list_error(Console& console) {
  write_list(console, {" "});
  write_list(console, {" ! Problem reading buffer file. Program will be stopped."});
  write_list(console, {" "});
  pause(console);
  throw ProgramStop{kExitStop};
}

[[noreturn]] void stop_on_missing_log(Console& console, std::string_view log_name) {
  write_list(console, {" !! ", log_name, " does not exist !!"});
  write_list(console, {" "});
  throw ProgramStop{kExitStop};
}

// One cycle per run line until the list ends; stops leave by ProgramStop.
void make_pass(ProgramState& state, Console& console, ErrorPolicy& policy,
               std::ostream& diagnostics) {
  RunListReader reader(state.run_list, console, policy, diagnostics);
  InputFile log;
  state.run_count = 0;
  for (;;) {
    const int n = ++state.run_count;
    RunRecord& run = state.runs.begin_run(n);
    const RunLineOutcome outcome = reader.read_next(run);
    if (outcome == RunLineOutcome::EndOfList) {
      --state.run_count;
      return;
    }
    if (outcome == RunLineOutcome::WrongColumnCount) stop_on_run_list_error(console);

    const std::string log_name(reader.log_name().trimmed());
    // Opening first spares an existence test per log; the test is made only when the open
    // fails, to tell a missing log from one that exists but cannot be opened.
    if (!log.open(log_name)) {
      const int error = errno;  // before the existence test changes it
      if (!file_exists(log_name)) stop_on_missing_log(console, log_name);
      policy.report(Condition::OpenFailed, open_failure(log_name, error));
    }

    recherche_unit_cell(log, run, policy);
    if (reader.apply_transform()) {
      transf_cell_parameters(reader.matrix(), run.cell_min, policy);
      transf_cell_parameters(reader.matrix(), run.cell_max, policy);
    }
    volume_calculation(run.cell_min, run.volume_min);
    volume_calculation(run.cell_max, run.volume_max);
    write_run_rows(state.files, run);
    log.close();
  }
}

void announce_table(Console& console) {
  write_list(console, {" "});
  write_list(console, {"   >>> The TK_parameters_quavelon_out.xy file has been created "});
  write_list(console, {" "});
}

void run_dialogue(ProgramState& state, Console& console, ErrorPolicy& policy,
                  std::ostream& diagnostics) {
  write_banner(console);
  open_run_list(state, console, policy);
  read_header_lines(state, policy);
  open_xy_files(state.run_list, state.title, state.files, policy);
  make_pass(state, console, policy, diagnostics);
  complete_plot_files(state.files, state.runs, state.run_count);
  announce_table(console);
  PlotLauncher launcher(console, policy);
  for (auto name : kPlotFileNames) launcher.plot_it(name);
}

// Closes the output files that are still open. A failure to write out what was pending is a
// fatal condition; its exit code replaces a lesser one.
int close_outputs(ProgramState& state, int exit_code) {
  try {
    for (auto& plot : state.files.plots)
      if (plot && plot->is_open()) plot->close();
    if (state.files.table.is_open()) state.files.table.close();
  } catch (const ProgramStop& stop) {
    if (stop.exit_code > exit_code) exit_code = stop.exit_code;
  }
  return exit_code;
}

}  // namespace

int read_quavelon_out(Console& console, ErrorPolicy& policy, std::ostream& diagnostics) {
  ProgramState state(policy);
  int exit_code = kExitNormal;
  try {
    run_dialogue(state, console, policy, diagnostics);
  } catch (const ProgramStop& stop) {
    exit_code = stop.exit_code;
  }
  exit_code = close_outputs(state, exit_code);
  state.run_list.close();
  console.write_pending_break();
  console.flush();
  if (console.write_failed()) {
    diagnostics << "read_quavelon_out: fatal: standard output could not be written" << std::endl;
    if (exit_code < kExitFatal) exit_code = kExitFatal;
  }
  return exit_code;
}

}  // namespace rqo
