#pragma once

#include <string_view>

namespace rqo {

// Number of blank-separated columns of a line; the first double-quoted text is one column.
int count_columns(std::string_view line);

}  // namespace rqo
