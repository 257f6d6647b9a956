#pragma once

#include <cstddef>
#include <string_view>

namespace rqo {

// A string literal as a template argument: f<"(A,I6)">() receives the text itself.
template <std::size_t N>
struct FixedString {
  char chars[N]{};

  consteval FixedString(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) chars[i] = text[i];
  }
  constexpr std::string_view view() const { return {chars, N - 1}; }
};

}  // namespace rqo
