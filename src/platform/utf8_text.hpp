#pragma once

#include <string_view>

namespace rqo::platform {

// True when `text` is well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing past U+10FFFF. Plain ASCII is UTF-8.
bool is_utf8(std::string_view text);

}  // namespace rqo::platform
