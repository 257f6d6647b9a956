#include "support/edit_list.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace rqo {
namespace {

using testing::EditList;

// A compact spelling of an expanded list: "F6.2 I8 A A3 X2", one token per descriptor.
std::string spell(const EditList& list) {
  std::ostringstream text;
  const char* separator = "";
  for (const EditDescriptor& d : list.descriptors()) {
    text << separator;
    separator = " ";
    switch (d.kind) {
      case EditKind::Fixed:
        text << 'F' << d.width << '.' << d.decimals;
        break;
      case EditKind::Integer:
        text << 'I' << d.width;
        break;
      case EditKind::Text:
        text << 'A';
        break;
      case EditKind::TextWidth:
        text << 'A' << d.width;
        break;
      case EditKind::Skip:
        text << 'X' << d.width;
        break;
    }
  }
  return text.str();
}

TEST(EditList, ExpandsRepeatsAndGroups) {
  struct Row {
    const char* list;
    const char* expected;
  };
  const Row rows[] = {
      {"(A)", "A"},
      {"(4A)", "A A A A"},
      {"(A,I6)", "A I6"},
      {"(a,i1)", "A I1"},
      {"(2A)", "A A"},
      {"(A1,3A1)", "A1 A1 A1 A1"},
      {"(F6.2,1F20.5)", "F6.2 F20.5"},
      {"(F6.2,2F12.5,1F15.3)", "F6.2 F12.5 F12.5 F15.3"},
      {"(2X,A,F8.2,5X,A,3(2X,3F4.1),A)",
       "X2 A F8.2 X5 A X2 F4.1 F4.1 F4.1 X2 F4.1 F4.1 F4.1 X2 F4.1 F4.1 F4.1 A"},
      {"(2(A,2(I2)))", "A I2 I2 A I2 I2"},
      {" ( 2X , F 8 . 2 ) ", "X2 F8.2"},
      {"(F6.0)", "F6.0"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(spell(EditList::parse(row.list)), row.expected) << "list " << row.list;
  }
}

TEST(EditList, CountsOfTheToolsLongLists) {
  EXPECT_EQ(EditList::parse("(A1,320A1)").descriptors().size(), 321u);
  const EditList row = EditList::parse("(F6.2,6F12.5,6F15.3,2F15.3,8F15.3)");
  ASSERT_EQ(row.descriptors().size(), 23u);
  int total = 0;
  for (const EditDescriptor& d : row.descriptors()) total += d.width;
  EXPECT_EQ(total, 318);
}

TEST(EditList, RejectsMalformedLists) {
  const char* rows[] = {
      "",
      "A",
      "(A",
      "(A))",
      "()",
      "(A,)",
      "(F6)",
      "(F6.)",
      "(F.2)",
      "(I)",
      "(Z4)",
      "(0A)",
      "(A0)",
      "(X)x",
      "(A;I2)",
      "(2)",
      "(F0.2)",
      "(2000000A)",
      "(1000(1000(1000A1)))",
  };
  for (const char* text : rows) {
    EXPECT_THROW(EditList::parse(text), std::invalid_argument) << "list [" << text << "]";
  }
}

}  // namespace
}  // namespace rqo
