#include "records/plain_reals.hpp"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include "records/list_input.hpp"

namespace rqo {
namespace {

constexpr float kBefore = 7.0f;

struct Pair {
  float first = kBefore, second = kBefore;
  bool operator==(const Pair& other) const {
    return std::bit_cast<std::uint32_t>(first) == std::bit_cast<std::uint32_t>(other.first) &&
           std::bit_cast<std::uint32_t>(second) == std::bit_cast<std::uint32_t>(other.second);
  }
};

Pair quick(std::string_view text, bool& taken) {
  Pair pair;
  const std::array<float*, 2> items{&pair.first, &pair.second};
  taken = read_plain_reals(text, items);
  return pair;
}

Pair full(std::string_view text) {
  Pair pair;
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  const ListItem items[] = {&pair.first, &pair.second};
  read_list(text, items, StatusMode::Wanted, policy, SourceContext{});
  return pair;
}

// Taken texts give the full reader's bits; declined ones store nothing.
TEST(ReadPlainReals, TakesPlainDecimalsAndDeclinesTheRest) {
  const struct {
    std::string text;
    bool taken;
  } rows[] = {
      {"    10.08448    10.13448", true},
      {"\t-0.5\t+4.", true},
      {"-0 .25", true},
      {"16777216 0.0000000001", true},  // 2^24; 10^-10
      {"104.31486 1/", true},
      {"1 2, 3", true},
      {"1 2 garbage", true},
      {"1 2", true},
      {"16777217 1", false},       // past 2^24: not exact by one division
      {"0.00000000001 1", false},  // 10^-11
      {"1", false},
      {"1,2", false},
      {"1 , 2", false},
      {"1/ 2", false},
      {"1e2 3", false},
      {"1D2 3", false},
      {"2*3.5 1", false},
      {"1 2*3", false},
      {"'1' 2", false},
      {". 2", false},
      {"-. 2", false},
      {"1.0a 2", false},
      {"1 2a", false},
      {"", false},
      {"   ", false},
  };
  for (const auto& row : rows) {
    bool taken = false;
    const Pair got = quick(row.text, taken);
    EXPECT_EQ(taken, row.taken) << '"' << row.text << '"';
    EXPECT_TRUE(taken ? got == full(row.text) : got == Pair{}) << '"' << row.text << '"';
  }
}

// Random plain decimals of every length taken, against the full reader's conversion.
TEST(ReadPlainReals, SameBitsAsTheFullReader) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::uint32_t> mantissa(0, std::uint32_t{1} << 24);
  for (int i = 0; i < 20000; ++i) {
    const std::string digits = std::to_string(mantissa(random));
    const std::size_t point = random() % (digits.size() + 1);
    const std::string number = digits.substr(0, point) + "." + digits.substr(point);
    const std::string text = (i % 3 == 0 ? "-" : "") + number + "  " + number;
    bool taken = false;
    const Pair got = quick(text, taken);
    ASSERT_TRUE(taken) << text;
    ASSERT_TRUE(got == full(text)) << text;
  }
}

}  // namespace
}  // namespace rqo
