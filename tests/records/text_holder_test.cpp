#include "records/text_holder.hpp"

#include <gtest/gtest.h>

#include <string>

namespace rqo {
namespace {

TEST(TextHolder, StoringCutsOrFillsWithBlanks) {
  const struct {
    std::size_t length;
    std::string previous;
    std::string text;
    std::string expected;
  } rows[] = {
      {3, "", "abc", "abc"},         {5, "", "abc", "abc  "},
      {2, "", "abc", "ab"},          {4, "wxyz", "", "    "},
      {6, "longer", "ab", "ab    "}, {3, "", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& row : rows) {
    TextHolder holder(row.length);
    holder.assign(row.previous);
    holder.assign(row.text);
    EXPECT_EQ(holder.view(), row.expected)
        << "length " << row.length << " text \"" << row.text << '"';
    EXPECT_EQ(holder.length(), row.length);
  }
}

TEST(TextHolder, TrimmedDropsTrailingBlanksOnly) {
  const struct {
    std::string text;
    std::string expected;
  } rows[] = {{"abc   ", "abc"}, {"  a b ", "  a b"}, {"      ", ""}, {"a\t  ", "a\t"}};
  for (const auto& row : rows) {
    TextHolder holder(row.text.size());
    holder.assign(row.text);
    EXPECT_EQ(holder.trimmed(), row.expected) << '"' << row.text << '"';
    EXPECT_EQ(trim_trailing_blanks(row.text), row.expected);
  }
}

}  // namespace
}  // namespace rqo
