#pragma once

#include <string>
#include <string_view>

#include "series.hpp"

namespace tkx {

enum class CellChoice { Mid, Min, Max };

// How a parameter table is turned into cells; a column file carries its own σT.
struct TableOptions {
  CellChoice cell = CellChoice::Mid;
  double sigma_t = 1.0;
};

// Reads a series from the text of a file: a parameter table when its first non-blank line
// begins with "!", otherwise a column file of "T σT a b c α β γ" rows ("#" starts a comment).
// Every row is checked (values present and numeric, lengths > 0, angles that form a cell,
// σT > 0), then the series (at least two rows, not all at one temperature). Throws InputError.
Series parse_series(std::string_view text, const std::string& file, const TableOptions& options);

// The same from a file on disk; a file that cannot be read is an InputError too.
Series read_series(const std::string& path, const TableOptions& options);

}  // namespace tkx
