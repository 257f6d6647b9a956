// tk_expansion: principal-axis thermal expansion of a temperature series of unit cells, from
// read_quavelon_out's parameter table or a plain column file.

#include <cstdio>
#include <exception>
#include <iostream>
#include <span>

#include "analysis.hpp"
#include "input.hpp"
#include "options.hpp"
#include "output_set.hpp"
#include "report.hpp"

#ifndef TK_EXPANSION_VERSION
#error "TK_EXPANSION_VERSION must be defined by the build"
#endif

namespace {

constexpr int kExitBadInput = 2;

}  // namespace

int main(int argc, char** argv) {
  tkx::Options options;
  try {
    options = tkx::parse_options(std::span<const char* const>(argv + 1, argv + argc));
  } catch (const tkx::UsageError& error) {
    std::cerr << "tk_expansion: " << error.what() << "\n\n" << tkx::usage_text();
    return kExitBadInput;
  }
  if (options.action == tkx::Options::Action::Help) {
    std::cout << tkx::usage_text();
    return 0;
  }
  if (options.action == tkx::Options::Action::Version) {
    std::cout << "tk_expansion " << TK_EXPANSION_VERSION << "\n";
    return 0;
  }

  try {
    // Everything is computed before the first file is touched.
    const tkx::Series series = tkx::read_series(options.file, options.table);
    const tkx::Expansion expansion = tkx::analyse(series, options.strain);
    const auto files = tkx::output_files(series, expansion, options.strain);
    tkx::write_files(files);
    std::vector<std::string> names;
    for (const auto& file : files) names.push_back(file.name);
    std::cout << tkx::summary_text(series, expansion, options, names) << std::flush;
  } catch (const std::exception& error) {
    std::cerr << "tk_expansion: " << error.what() << "\n";
    return kExitBadInput;
  }
  return std::cout ? 0 : kExitBadInput;
}
