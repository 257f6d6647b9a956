#include "driver/read_quavelon_out.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "driver/exit_codes.hpp"
#include "driver/run_list_reader.hpp"
#include "driver/write_banner.hpp"
#include "extract/cell_volume.hpp"
#include "extract/scan_log.hpp"
#include "extract/transform_cell.hpp"
#include "model/plot_file_kinds.hpp"
#include "model/run_place.hpp"
#include "model/run_table.hpp"
#include "model/table_layout.hpp"
#include "output/output_files.hpp"
#include "output/plot_launcher.hpp"
#include "records/formatted_input.hpp"
#include "records/formatted_output.hpp"
#include "records/input_file.hpp"
#include "records/list_input.hpp"
#include "records/pause.hpp"
#include "records/program_stop.hpp"

namespace rqo {

namespace {

// Everything the program holds for the whole run.
struct ProgramState {
  ProgramState(ErrorPolicy& policy, FileSystem& file_system)
      : file_system(file_system), run_list(file_system), files(policy, file_system) {}

  FileSystem& file_system;
  InputFile run_list;
  // A typed run-list name is kept whole up to the longest path a POSIX system takes.
  TextHolder run_list_name{4096};
  TextHolder title{128};
  OutputFiles files;
  RunTable runs;
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
    if (state.file_system.is_file(name)) {
      if (!state.run_list.open(name))
        policy.report(Condition::OpenFailed, open_failure(name, errno));
      return;
    }
    write_list(console, {"  !! ", name, " does not exist !!"});
    write_list(console, {"   press Enter key to continue "});
  }
}

// Opens the run list the command line names. A name that is not an existing file is a fatal
// condition: nobody may be there to answer a prompt.
void open_named_run_list(ProgramState& state, const std::string& name, ErrorPolicy& policy) {
  if (!state.file_system.is_file(name))
    policy.report(Condition::OpenFailed, "\"" + name + "\" does not exist");
  else if (!state.run_list.open(name))
    policy.report(Condition::OpenFailed, open_failure(name, errno));
}

[[noreturn]] void stop_on_run_list_error(Console& console) {
  write_list(console, {" "});
  write_list(console, {" ! Problem reading buffer file. Program will be stopped."});
  write_list(console, {" "});
  pause(console);
  throw ProgramStop{StopReason::ErrorStop};
}

[[noreturn]] void stop_on_missing_log(Console& console, std::string_view log_name) {
  write_list(console, {" !! ", log_name, " does not exist !!"});
  write_list(console, {" "});
  throw ProgramStop{StopReason::ErrorStop};
}

// Both extreme cells of a run on the new axes when a matrix is in force, then their volumes.
void complete_cells(RunRecord& run, const RunListReader& reader, std::string_view log_name,
                    ErrorPolicy& policy) {
  if (reader.apply_transform()) {
    const RunPlace place{reader.run_list_name(), reader.line_number(), log_name};
    transform_cell(reader.matrix(), run.cell_min, policy, place);
    transform_cell(reader.matrix(), run.cell_max, policy, place);
  }
  supplement_impossible_angles(run.cell_min);
  run.volume_min = cell_volume(run.cell_min);
  supplement_impossible_angles(run.cell_max);
  run.volume_max = cell_volume(run.cell_max);
}

// One cycle per run line until the list ends; stops leave by ProgramStop.
void make_pass(ProgramState& state, RunListReader& reader, Console& console, ErrorPolicy& policy) {
  InputFile log(state.file_system);
  state.runs.clear();
  for (;;) {
    RunRecord& run = state.runs.emplace_back();
    const RunLineOutcome outcome = reader.read_next(run);
    if (outcome == RunLineOutcome::EndOfList) {
      state.runs.pop_back();
      return;
    }
    if (outcome == RunLineOutcome::WrongColumnCount) stop_on_run_list_error(console);

    const std::string log_name(reader.log_name().trimmed());
    // Opening first spares an existence test per log; the test is made only when the open
    // fails, to tell a missing log from one that exists but cannot be opened.
    if (!log.open(log_name)) {
      const int error = errno;  // before the existence test changes it
      if (!state.file_system.is_file(log_name)) stop_on_missing_log(console, log_name);
      policy.report(Condition::OpenFailed, open_failure(log_name, error));
    }

    scan_log(log, run, policy);
    complete_cells(run, reader, log_name, policy);
    state.files.write_run_rows(run);
    log.close();
  }
}

void announce_table(Console& console) {
  write_list(console, {" "});
  write_list(console, {"   >>> The ", table_layout::kFileName, " file has been created "});
  write_list(console, {" "});
}

void run_dialogue(ProgramState& state, Console& console, ErrorPolicy& policy,
                  const Invocation& invocation) {
  write_banner(console);
  if (invocation.run_list.empty()) {
    open_run_list(state, console, policy);
  } else {
    open_named_run_list(state, invocation.run_list, policy);
  }
  RunListReader reader(state.run_list, console, policy);
  reader.read_header(state.title);
  const std::int32_t expected_points = reader.count_run_lines();
  state.files.open(state.title.view(), expected_points);
  make_pass(state, reader, console, policy);
  state.files.complete_plot_files(state.runs);
  // The table is complete on disk before it is announced: the plot dialogue may be ended by
  // closing the console.
  state.files.flush_table();
  announce_table(console);
  PlotLauncher launcher(console, policy, run_plot_command, invocation.plots);
  for (const PlotFileKind& kind : kPlotFileKinds) launcher.plot_it(kind.file_name);
}

// Closes the output files that are still open. A failure to write out what was pending is a
// fatal condition; its exit code replaces a lesser one.
int close_outputs(ProgramState& state, int exit_code) {
  try {
    state.files.close();
  } catch (const ProgramStop& stop) {
    exit_code = std::max(exit_code, exit_code_of(stop.reason));
  }
  return exit_code;
}

// After the console's last line: standard output that could not be written is a fatal
// condition; its exit code replaces a lesser one.
int check_console(Console& console, ErrorPolicy& policy, int exit_code) {
  if (!console.write_failed()) return exit_code;
  try {
    policy.report(Condition::WriteFailed, "standard output could not be written");
  } catch (const ProgramStop& stop) {
    exit_code = std::max(exit_code, exit_code_of(stop.reason));
  }
  return exit_code;
}

}  // namespace

int read_quavelon_out(Console& console, ErrorPolicy& policy, FileSystem& files,
                      const Invocation& invocation) {
  ProgramState state(policy, files);
  int exit_code = kExitNormal;
  try {
    run_dialogue(state, console, policy, invocation);
  } catch (const ProgramStop& stop) {
    exit_code = exit_code_of(stop.reason);
  }
  exit_code = close_outputs(state, exit_code);
  state.run_list.close();
  console.write_pending_break();
  console.flush();
  return check_console(console, policy, exit_code);
}

}  // namespace rqo
