#pragma once

#include <array>
#include <cstddef>

#include "records/edit_list_parse.hpp"
#include "records/fixed_string.hpp"

namespace rqo {

namespace edit_list_literal_detail {

// The grammar's output into an array of the size a first, counting pass found.
template <std::size_t N>
struct DescriptorArray {
  std::array<EditDescriptor, N> items{};
  std::size_t filled = 0;

  constexpr std::size_t size() const { return filled; }
  constexpr void append(const EditDescriptor& d, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) items[filled++] = d;
  }
  constexpr void repeat_tail(std::size_t from, std::size_t times) {
    const std::size_t end = filled;
    for (std::size_t t = 0; t < times; ++t) {
      for (std::size_t i = from; i < end; ++i) items[filled++] = items[i];
    }
  }
};

template <FixedString Text>
consteval std::size_t count_descriptors() {
  DescriptorCount count;
  parse_edit_list(Text.view(), count);
  return count.size();
}

// A malformed literal stops the build here, in the first pass.
template <FixedString Text>
inline constexpr std::size_t kDescriptorCount = count_descriptors<Text>();

template <FixedString Text>
consteval auto parse_literal() {
  DescriptorArray<kDescriptorCount<Text>> out;
  parse_edit_list(Text.view(), out);
  return out.items;
}

}  // namespace edit_list_literal_detail

// The descriptors of an edit list literal, parsed when the code is built: kEditList<"(2A)">
// is an array of two Text descriptors, and a malformed literal does not compile.
template <FixedString Text>
inline constexpr std::array kEditList = edit_list_literal_detail::parse_literal<Text>();

}  // namespace rqo
