#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "text.hpp"

namespace tkx {

// Lengths in Å, angles in degrees.
struct Cell {
  double a, b, c, alpha, beta, gamma;
};

// One temperature of the series, as read.
struct Row {
  std::string t_text;  // the temperature exactly as written in the input
  double t;            // K
  double sigma_t;      // K
  Cell cell;
  long line;                // 1-based line of the input file
  Cell sigma{};             // standard uncertainties of the cell; zero where none are known
  double resolution = 0.0;  // the smallest strain the printed lengths resolve
};

enum class InputFormat { Table, Columns };

struct Series {
  std::string file;
  InputFormat format = InputFormat::Columns;
  std::string title;         // the table's title line; empty for a column file
  bool cell_sigmas = false;  // the rows carry cell uncertainties (table spread or σ columns)
  std::vector<Row> rows;
};

// Input that cannot be analysed. line is 0 when the fault belongs to the whole file.
class InputError : public std::runtime_error {
 public:
  InputError(const std::string& file, long line, const std::string& what)
      : std::runtime_error(
            concat({file, line > 0 ? ":" : "", line > 0 ? std::to_string(line) : "", ": ", what})) {
  }
};

}  // namespace tkx
