#pragma once

#include <string_view>

#include "records/text_holder.hpp"

namespace rqo {

// The run list's title from its first line: left-adjusted, one leading "!" dropped and
// left-adjusted again. `title` keeps its length (128).
void derive_title(std::string_view first_line, TextHolder& title);

}  // namespace rqo
