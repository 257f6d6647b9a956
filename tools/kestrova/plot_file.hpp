#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrova {

// A point as a number to plot and as the text the file holds (blanks trimmed), which is what a
// report shows: the file's digits, never a value rendered again.
struct Point {
  double x;
  double y;
  std::string x_text;
  std::string y_text;
};

// One data series: the header values it announces and the rows that follow them.
struct Pattern {
  int number = 0;
  std::string title;
  long announced_points = 0;
  int marker = 0;
  int size = 0;
  std::vector<Point> points;
  int unplottable_rows = 0;  // rows whose field overflowed or holds NaN/Inf
};

struct PlotFile {
  std::string main_legend;
  std::string x_legend;
  std::string y_legend;
  std::vector<Pattern> patterns;
};

// A plot file that does not have the expected layout; says which line and why.
class FormatError : public std::runtime_error {
 public:
  FormatError(long line, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + what) {}
};

// Parses the whole text of a plot file (CR LF or LF line endings). Throws FormatError.
PlotFile parse_plot_file(std::string_view text);

}  // namespace kestrova
