#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/concat.hpp"

namespace tkx {

// value with `decimals` decimals, rounded as printf's "%.*f" does; a value that rounds to
// zero is written without a minus sign (the reference row's strains are rounding noise).
std::string fixed_text(double value, int decimals);

// Appends fixed_text right-aligned in a field of `width` characters, or `width` asterisks
// when it does not fit (the fixed-width rows of the plot files).
void append_fixed_field(std::string& out, double value, std::size_t width, int decimals);

// Up to 15 significant digits, no trailing zeros: every decimal typed with at most 15
// significant digits comes back as typed, and a mean of two such values loses its noise.
std::string short_text(double value);

using rqo::platform::concat;

// The text with every byte that is not printable ASCII written as an escape ("\xEF"), so that
// a message shows what a field really holds (a byte-order mark, a no-break space, a tab).
std::string escaped(std::string_view text);

}  // namespace tkx
