// kestrova: draws one plot file (header, patterns of temperature-value rows, end marker) with
// gnuplot into <name>.png beside it, and on the terminal when standard output is one.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "arguments.hpp"
#include "gnuplot_script.hpp"
#include "path_search.hpp"
#include "plot_file.hpp"
#include "run_gnuplot.hpp"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitBadFile = 1;
constexpr int kExitNoGnuplot = 2;
constexpr int kExitGnuplotFailed = 3;

#ifdef _WIN32
constexpr std::string_view kGnuplotAdvice =
    "install gnuplot for Windows and put its bin folder (the one holding gnuplot.exe) on the "
    "PATH";
#else
constexpr std::string_view kGnuplotAdvice = "install it (Debian package gnuplot-nox)";
#endif

std::string png_name_for(const std::string& plot_name) {
  constexpr std::string_view kExtension = ".pgf";
  if (plot_name.size() > kExtension.size() &&
      std::string_view(plot_name).substr(plot_name.size() - kExtension.size()) == kExtension) {
    return plot_name.substr(0, plot_name.size() - kExtension.size()) + ".png";
  }
  return plot_name + ".png";
}

bool has_control_characters(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) return true;
  }
  return false;
}

// Draws the plot file; the exit code.
int draw(const std::string& plot_name) {
  if (has_control_characters(plot_name)) {
    std::cerr << "kestrova: the file name holds control characters\n";
    return kExitUsage;
  }

  std::ifstream in(plot_name, std::ios::binary);
  if (!in) {
    std::cerr << "kestrova: cannot open " << plot_name << "\n";
    return kExitBadFile;
  }
  std::ostringstream content;
  content << in.rdbuf();

  kestrova::PlotFile plot;
  try {
    plot = kestrova::parse_plot_file(content.str());
  } catch (const kestrova::FormatError& error) {
    std::cerr << "kestrova: " << plot_name << " is not a plot file: " << error.what() << "\n";
    return kExitBadFile;
  }

  const std::string gnuplot = kestrova::find_on_path(kestrova::kGnuplotProgram);
  if (gnuplot.empty()) {
    std::cerr << "kestrova: " << kestrova::kGnuplotProgram << " was not found on the PATH; "
              << kGnuplotAdvice << " to draw " << plot_name << "\n";
    return kExitNoGnuplot;
  }

  const std::string png_name = png_name_for(plot_name);
  const bool on_terminal = isatty(STDOUT_FILENO) == 1;
  const std::string script = kestrova::gnuplot_script(plot, png_name, on_terminal);
  std::cout.flush();
  switch (kestrova::run_gnuplot(gnuplot, script)) {
    case kestrova::GnuplotOutcome::NotStarted:
      std::cerr << "kestrova: cannot start " << gnuplot << "\n";
      return kExitGnuplotFailed;
    case kestrova::GnuplotOutcome::Failed:
      std::cerr << "kestrova: gnuplot failed to draw " << plot_name << "\n";
      return kExitGnuplotFailed;
    case kestrova::GnuplotOutcome::Drawn:
      break;
  }
  struct stat png {};
  if (stat(png_name.c_str(), &png) != 0 || png.st_size == 0) {
    std::cerr << "kestrova: gnuplot wrote no image " << png_name << "\n";
    return kExitGnuplotFailed;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto arguments = kestrova::parse_arguments(
      std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1)));
  switch (arguments.action) {
    case kestrova::Arguments::Action::Help:
      std::cout << kestrova::kUsage
                << "\n\nDraws a plot file of read_quavelon_out (TK_*.pgf) with gnuplot into a "
                   "PNG image beside it\n(TK_cell_a.pgf gives TK_cell_a.png), and on the "
                   "terminal when standard output is one.\n";
      return 0;
    case kestrova::Arguments::Action::Version:
      std::cout << "kestrova " << RQO_VERSION << "\n";
      return 0;
    case kestrova::Arguments::Action::UsageError:
      std::cerr << kestrova::kUsage << "\n";
      return kExitUsage;
    case kestrova::Arguments::Action::Draw:
      break;
  }
  return draw(arguments.plot_name);
}
