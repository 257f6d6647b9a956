#pragma once

#include <string>
#include <utility>

namespace rqo {

// What became of a plot command: it ran (whatever its exit status), or it could not be
// started, and why.
class PlotCommandResult {
 public:
  static PlotCommandResult ran() { return PlotCommandResult(true, {}); }
  static PlotCommandResult not_started(std::string why) {
    return PlotCommandResult(false, std::move(why));
  }

  bool started() const { return started_; }
  // What kept the command from starting; empty when it ran.
  const std::string& failure() const { return failure_; }

 private:
  PlotCommandResult(bool started, std::string failure)
      : started_(started), failure_(std::move(failure)) {}

  bool started_;
  std::string failure_;
};

// Runs the plotting command ("kestrova <file>") and waits until it has ended; its exit status
// is not examined. POSIX systems run it through the shell (system()); Windows starts the
// program itself with CreateProcessA, so a program that cannot be found is known and can be
// reported.
PlotCommandResult run_plot_command(const std::string& command);

}  // namespace rqo
