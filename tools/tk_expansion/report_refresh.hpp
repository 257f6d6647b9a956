#pragma once

#include <ostream>

namespace tkx {

// Brings the folder's report up to date with the files just written: runs
// "kestrova --report <folder>" when kestrova is beside this program or on the PATH (its output
// goes to standard output), otherwise writes the one command that does it to `out`. A report
// that fails is said on `out`; the results stand either way.
void refresh_report(std::ostream& out);

}  // namespace tkx
