#pragma once

#include <string>

#include "support/tool_run.hpp"

namespace rqo::testing {

// How to start the tool for a fault test.
struct FaultSetup {
  std::string input;          // standard input
  bool close_stdin = false;   // start with file descriptor 0 closed instead
  std::string stdin_path;     // read standard input from this file instead of `input`
  std::string stdout_path;    // send standard output there (e.g. /dev/full); empty: capture it
  bool unprivileged = false;  // when run as root, drop to an unprivileged user first
  // When given: `input` comes through a pipe that stays open, and the program is killed (as
  // by closing its console) as soon as its standard output holds this text.
  std::string kill_when_shown;
};

struct FaultRun : ToolRun {
  long peak_memory_kb = 0;  // the tool's maximum resident set size
  double seconds = 0;       // wall-clock time
};

// Runs the built tool in `dir` as `setup` says and waits for it.
FaultRun run_tool_faulted(const ScratchDir& dir, const FaultSetup& setup);

// Whether the run could not start because root could not drop to the unprivileged user (the
// permission tests are then skipped).
bool privileges_not_dropped(const FaultRun& run);

// Makes `dir` usable by the unprivileged user (search and write for everyone).
void open_up(const ScratchDir& dir);

}  // namespace rqo::testing
