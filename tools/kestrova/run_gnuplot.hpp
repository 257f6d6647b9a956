#pragma once

#include <string>

namespace kestrova {

enum class GnuplotOutcome { Drawn, NotStarted, Failed };

// Starts the gnuplot program at `program`, writes the script to its standard input and waits
// for it to end. Drawn when it took the whole script and ended with status 0.
GnuplotOutcome run_gnuplot(const std::string& program, const std::string& script);

}  // namespace kestrova
