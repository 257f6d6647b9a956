#pragma once

#include <string>

#include "support/tool_run.hpp"

namespace rqo::testing {

// How to start the tool for a fault test.
struct FaultSetup {
  std::string input;          // standard input
  bool close_stdin = false;   // start with file descriptor 0 closed instead
  std::string stdout_path;    // send standard output there (e.g. /dev/full); empty: capture it
  bool unprivileged = false;  // when run as root, drop to an unprivileged user first
};

struct FaultRun : ToolRun {
  long peak_memory_kb = 0;  // the tool's maximum resident set size
  double seconds = 0;       // wall-clock time
};

// Runs the built tool in `dir` as `setup` says and waits for it.
FaultRun run_tool_faulted(const ScratchDir& dir, const FaultSetup& setup);

// Makes `dir` usable by the unprivileged user (search and write for everyone).
void open_up(const ScratchDir& dir);

}  // namespace rqo::testing
