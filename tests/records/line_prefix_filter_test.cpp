#include "records/line_prefix_filter.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace rqo {
namespace {

constexpr std::array<std::string_view, 5> kPrefixes = {"alpha cell", "chi**2 x", "chi**2 rot",
                                                       "B axis length", "m"};
constexpr LinePrefixFilter kFilter(kPrefixes);

TEST(LinePrefixFilter, LetsThroughEveryTextThatBeginsWithAPrefix) {
  for (const std::string_view prefix : kPrefixes) {
    EXPECT_TRUE(kFilter.may_begin(prefix)) << prefix;
    const std::string longer = std::string(prefix) + " (min, max)   :  1.0  2.0";
    EXPECT_TRUE(kFilter.may_begin(std::string_view(longer))) << longer;
    EXPECT_TRUE(kFilter.may_begin(longer.c_str())) << longer;  // eight bytes at a time
  }
}

TEST(LinePrefixFilter, RulesOutTextsThatDifferWithinTheSharedPart) {
  const struct {
    std::string_view text;
    bool expected;
  } rows[] = {
      {"", false},
      {"x", false},
      {"alpha", false},    // shorter than the eight characters that all 'a' prefixes share
      {"alpha ce", true},  // all eight shared characters
      {"alpha_cell", false},
      {"chi**2 y", true},  // the 'c' prefixes share seven characters only
      {"chi**3 x", false},
      {"B axis l", true},
      {"b axis length", false},
      {"mosaicity", true},  // a one-character prefix
      {"\r", false},
  };
  for (const auto& row : rows) EXPECT_EQ(kFilter.may_begin(row.text), row.expected) << row.text;
}

}  // namespace
}  // namespace rqo
