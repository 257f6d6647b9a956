#pragma once

#include <string>

namespace rqo {

// Runs the plotting command ("kestrova <file>") and waits until it has ended; its exit status
// is not examined. Gives an empty text when the command ran, else what kept it from starting.
// POSIX systems run it through the shell (system()); Windows starts the program itself with
// CreateProcessA, so a program that cannot be found is known and can be reported.
std::string run_plot_command(const std::string& command);

}  // namespace rqo
