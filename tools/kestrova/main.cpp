// kestrova: draws one plot file (header, patterns of temperature-value rows, end marker) with
// gnuplot into <name>.png beside it, and on the terminal when standard output is one.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "gnuplot_script.hpp"
#include "plot_file.hpp"

namespace {

constexpr int kExitUsage = 1;
constexpr int kExitBadFile = 1;
constexpr int kExitNoGnuplot = 2;
constexpr int kExitGnuplotFailed = 3;

bool is_executable_file(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

bool gnuplot_on_path() {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return false;
  std::string_view rest(path);
  while (true) {
    const auto colon = rest.find(':');
    std::string candidate(colon == 0 ? std::string_view(".") : rest.substr(0, colon));
    candidate.append("/gnuplot");
    if (is_executable_file(candidate)) return true;
    if (colon == std::string_view::npos) return false;
    rest.remove_prefix(colon + 1);
  }
}

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

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::cerr << "usage: kestrova PLOT_FILE\n";
    return kExitUsage;
  }
  const std::string plot_name = argv[1];
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

  if (!gnuplot_on_path()) {
    std::cerr << "kestrova: gnuplot was not found on the PATH; install it (Debian package "
                 "gnuplot-nox) to draw "
              << plot_name << "\n";
    return kExitNoGnuplot;
  }

  const std::string png_name = png_name_for(plot_name);
  const bool on_terminal = isatty(STDOUT_FILENO) == 1;
  const std::string script = kestrova::gnuplot_script(plot, png_name, on_terminal);

  // A gnuplot that ends early must not take this program down with a broken pipe.
  std::signal(SIGPIPE, SIG_IGN);
  std::cout.flush();
  std::fflush(stdout);
  FILE* gnuplot = popen("gnuplot", "w");
  if (gnuplot == nullptr) {
    std::cerr << "kestrova: cannot start gnuplot\n";
    return kExitGnuplotFailed;
  }
  const bool written = std::fwrite(script.data(), 1, script.size(), gnuplot) == script.size();
  const int status = pclose(gnuplot);
  if (!written || status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::cerr << "kestrova: gnuplot failed to draw " << plot_name << "\n";
    return kExitGnuplotFailed;
  }
  struct stat png {};
  if (stat(png_name.c_str(), &png) != 0 || png.st_size == 0) {
    std::cerr << "kestrova: gnuplot wrote no image " << png_name << "\n";
    return kExitGnuplotFailed;
  }
  return 0;
}
