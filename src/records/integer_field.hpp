#pragma once

#include <cstdint>

namespace rqo {

// Renders value under Iw into exactly `width` characters at `out`; asterisks when too narrow.
void render_integer(char* out, std::int32_t value, int width);

}  // namespace rqo
