#pragma once

namespace rqo {

// Renders x under Fw.d into exactly `width` characters at `out` (no terminator): the exact
// binary value, at most 9 significant digits then zeros, ties away from zero, no sign on a
// field of zeros, "Inf"/"NaN" left-aligned, asterisks when the field is too narrow.
// Allocates nothing.
void render_fixed(char* out, float x, int width, int decimals);

}  // namespace rqo
