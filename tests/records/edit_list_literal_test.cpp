#include "records/edit_list_literal.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "support/edit_list.hpp"

namespace rqo {
namespace {

using testing::EditList;

constexpr EditDescriptor fixed(int width, int decimals) {
  return {EditKind::Fixed, width, decimals};
}
constexpr EditDescriptor integer(int width) {
  return {EditKind::Integer, width};
}
constexpr EditDescriptor text_width(int width) {
  return {EditKind::TextWidth, width};
}
constexpr EditDescriptor skip(int columns) {
  return {EditKind::Skip, columns};
}
constexpr EditDescriptor text{EditKind::Text};

// Checked when this file is built.
static_assert(kEditList<"(A)"> == std::array{text});
static_assert(kEditList<"(a,i1)"> == std::array{text, integer(1)});
static_assert(kEditList<"(F6.2,1F20.5)"> == std::array{fixed(6, 2), fixed(20, 5)});
static_assert(kEditList<"(A1,3A1)"> ==
              std::array{text_width(1), text_width(1), text_width(1), text_width(1)});
static_assert(kEditList<" ( 2X , F 8 . 2 ) "> == std::array{skip(2), fixed(8, 2)});
static_assert(kEditList<"(2(A,2(I2)))"> ==
              std::array{text, integer(2), integer(2), text, integer(2), integer(2)});
static_assert(kEditList<"(2X,A,F8.2,5X,A,3(2X,3F4.1),A)"> ==
              std::array{skip(2), text, fixed(8, 2), skip(5), text,       //
                         skip(2), fixed(4, 1), fixed(4, 1), fixed(4, 1),  //
                         skip(2), fixed(4, 1), fixed(4, 1), fixed(4, 1),  //
                         skip(2), fixed(4, 1), fixed(4, 1), fixed(4, 1), text});
static_assert(kEditList<"(A1,320A1)">.size() == 321);
static_assert(kEditList<"(F6.2,6F12.5,6F15.3,2F15.3,8F15.3)">.size() == 23);

// One grammar: the run-time parse of the same text gives the same descriptors.
template <FixedString Text>
bool parsed_alike() {
  const EditList at_run_time = EditList::parse(Text.view());
  return std::ranges::equal(kEditList<Text>, at_run_time.descriptors());
}

TEST(EditListLiteral, SameDescriptorsAsTheRunTimeParse) {
  EXPECT_TRUE(parsed_alike<"(2X,A,F8.2,5X,A,3(2X,3F4.1),A)">());
  EXPECT_TRUE(parsed_alike<"(2(A,2(I2)))">());
  EXPECT_TRUE(parsed_alike<"(A1,320A1)">());
}

}  // namespace
}  // namespace rqo
