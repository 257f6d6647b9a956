#include "gnuplot_script.hpp"

#include <array>
#include <charconv>
#include <string>

namespace kestrova {

namespace {

std::string number_text(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::string block_name(std::size_t index) {
  return "$pattern" + std::to_string(index + 1);
}

}  // namespace

std::string quoted(std::string_view text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\'') {
      out += "''";
    } else if (static_cast<unsigned char>(c) < 32 || c == 127) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out + "'";
}

int point_type(int marker) {
  // Marker codes 0-9; the plot files use 1, 4 and 6 for their pattern numbers 1, 2 and 3.
  static constexpr std::array<int, 10> kPointTypes{1, 7, 2, 3, 5, 9, 13, 4, 6, 8};
  return marker >= 0 && marker < static_cast<int>(kPointTypes.size()) ? kPointTypes[marker] : 7;
}

std::string gnuplot_script(const PlotFile& plot, std::string_view png_name, bool also_text) {
  std::string script;
  script +=
      "if (strstrt(GPVAL_TERMINALS, 'pngcairo') > 0) {\n"
      "  set terminal pngcairo noenhanced size 1000,700\n"
      "} else {\n"
      "  set terminal png noenhanced size 1000,700\n"
      "}\n";
  script += "set output " + quoted(png_name) + "\n";
  script += "set title " + quoted(plot.main_legend) + "\n";
  script += "set xlabel " + quoted(plot.x_legend) + "\n";
  script += "set ylabel " + quoted(plot.y_legend) + "\n";
  script += "set grid\nset key outside right top box\n";
  // Keep the first and last points off the frame.
  script += "set autoscale xfix\nset offsets graph 0.03, graph 0.03, graph 0.05, graph 0.05\n";

  for (std::size_t i = 0; i < plot.patterns.size(); ++i) {
    script += block_name(i) + " << EOD\n";
    for (const Point& point : plot.patterns[i].points) {
      script += number_text(point.x) + " " + number_text(point.y) + "\n";
    }
    script += "EOD\n";
  }

  std::string plot_command;
  for (std::size_t i = 0; i < plot.patterns.size(); ++i) {
    const Pattern& pattern = plot.patterns[i];
    if (pattern.points.empty()) continue;
    const double point_size = pattern.size > 0 ? 0.5 * pattern.size : 1.0;
    plot_command += plot_command.empty() ? "plot " : ", \\\n     ";
    plot_command += block_name(i) + " using 1:2 with linespoints pointtype " +
                    std::to_string(point_type(pattern.marker)) + " pointsize " +
                    number_text(point_size) + " title " + quoted(pattern.title);
  }
  if (plot_command.empty()) {
    // Nothing to draw: an empty frame that says so.
    script += "set label 1 'no data points' at graph 0.5, graph 0.5 center\n";
    plot_command = "plot [0:1] [0:1] NaN notitle";
  }
  script += plot_command + "\n";
  script += "set output\n";

  if (also_text) {
    script +=
        "set terminal dumb noenhanced size 100,36\nset output\nunset grid\nset key below\nreplot\n";
  }
  return script;
}

}  // namespace kestrova
