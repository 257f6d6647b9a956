#pragma once

#include <string>
#include <string_view>

#include "plot_file.hpp"

namespace kestrova {

// A text as a gnuplot single-quoted string: no escapes are interpreted inside, and a quote
// is written twice. Control characters become blanks so the script's lines stay intact.
std::string quoted(std::string_view text);

// gnuplot point type for a marker code of the plot file.
int point_type(int marker);

// The script that draws the plot into `png_name` (pngcairo when gnuplot has it, else png) and,
// when `also_text` is set, draws it again on the dumb text terminal on standard output.
std::string gnuplot_script(const PlotFile& plot, std::string_view png_name, bool also_text);

}  // namespace kestrova
