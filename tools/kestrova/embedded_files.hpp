#pragma once

#include <string_view>

namespace kestrova {

// Files built into the program, so that a report needs nothing beside it: the plotting
// library (from its npm package, at the version package-lock.json pins), and the report
// page's own script and style sheet (web/).
std::string_view plotting_library();
std::string_view report_script();
std::string_view report_style();

}  // namespace kestrova
