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
// begins with "!", otherwise a column file of "T σT a b c α β γ" rows, or of
// "T σT a σa b σb c σc α σα β σβ γ σγ" rows. "#" starts a comment anywhere on a line; a
// leading UTF-8 byte-order mark is skipped; CR LF, LF and a lone CR each end a line; UTF-16
// text and NUL bytes are refused. Every row is checked (values present and numeric, lengths
// within 1e-3 … 1e4 Å, angles that form a cell, σT within 1e-6 … 1e6 K), then the series (at
// least two rows, not all at one temperature). A table row's cell uncertainties are the
// standard deviations of a uniform spread between its minimum and maximum, (max − min)/√12.
// Throws InputError.
Series parse_series(std::string_view text, const std::string& file, const TableOptions& options);

// The same from a file on disk (named as the user gave it); a file that cannot be read is an
// InputError too.
Series read_series(const std::string& path, const TableOptions& options);

}  // namespace tkx
