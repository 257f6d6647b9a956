// tk_expansion: principal-axis thermal expansion of a temperature series of unit cells, from
// read_quavelon_out's parameter table or a plain column file.

#include <exception>
#include <iostream>

#include "analysis.hpp"
#include "input.hpp"
#include "options.hpp"
#include "output_set.hpp"
#include "platform/command_line.hpp"
#include "report.hpp"
#include "report_refresh.hpp"

#ifndef TK_EXPANSION_VERSION
#error "TK_EXPANSION_VERSION must be defined by the build"
#endif

namespace {

constexpr int kExitBadInput = 2;

}  // namespace

int main(int argc, char** argv) {
  tkx::Options options;
  if (const auto answered =
          tkx::read_command_line(rqo::platform::utf8_arguments(argc, argv), TK_EXPANSION_VERSION,
                                 options, std::cout, std::cerr)) {
    return *answered;
  }

  try {
    // Everything is computed before the first file is touched.
    const tkx::Series series = tkx::read_series(options.file, options.table);
    const tkx::Expansion expansion = tkx::analyse(series, options.settings);
    const auto files = tkx::output_files(series, expansion, options.settings.strain);
    tkx::write_files(files);
    std::vector<std::string> names;
    for (const auto& file : files) names.push_back(file.name);
    std::cout << tkx::summary_text(series, expansion, options, names) << std::flush;
  } catch (const std::exception& error) {
    std::cerr << "tk_expansion: " << error.what() << "\n";
    return kExitBadInput;
  }
  tkx::refresh_report(std::cout);
  return std::cout ? 0 : kExitBadInput;
}
