#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace rqo::platform {

// The pieces one after the other, for messages: concat({"line ", number, ": ", what}). Kept
// apart from chains of operator+, which GCC 12 misjudges under -Wrestrict.
inline std::string concat(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

}  // namespace rqo::platform
