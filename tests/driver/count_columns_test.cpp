#include "driver/count_columns.hpp"

#include <gtest/gtest.h>

#include <string>

namespace rqo {
namespace {

struct ColumnCase {
  std::string line;
  int expected;
};

// A plain reading of the counting rules over a blank-padded work copy, used to check the
// counter on lines built at random.
int reference_count(const std::string& line) {
  if (line.find_first_not_of(' ') == std::string::npos) return 0;
  std::string work = line.substr(line.find_first_not_of(' '));
  work.resize(256000, ' ');
  std::size_t start = 1;
  if (auto q = work.find('"'); q != std::string::npos) {
    work = work.substr(q + 1);
    work.resize(256000, ' ');
    auto p = work.find('"');
    start = p == std::string::npos ? 1 : p + 2;
  }
  std::size_t last = work.find_last_not_of(' ') + 1;
  if (work.find_last_not_of(' ') == std::string::npos) last = 0;
  int count = 1;
  if (last < start) return count;
  for (std::size_t j = start; j <= last; ++j) {
    if (work[j - 1] != ' ' && j != 1 && work[j - 2] == ' ') ++count;
  }
  return count;
}

TEST(ColumnCounter, CountsColumnsOfRunLines) {
  const ColumnCase cases[] = {
      {"", 0},
      {"        ", 0},
      {"run.out", 1},
      {"   run.out   ", 1},
      {"run.out 150", 2},
      {"run.out      150.0    ", 2},
      {"run.out\t150", 1},
      {"\t", 1},
      {"run.out,150", 1},
      {"run.out, 150", 2},
      {"run.out 150 0 1 0 1 0 0 0 0 -1", 11},
      {"run.out 150 0 1 0 1 0 0 0 0", 10},
      {"\"my run.out\" 150", 2},
      {"\"my run.out\" \"other file\" 150", 4},
      {"word \"my run.out\" 150", 2},
      {"\"my run", 2},
      {"word \"run", 1},
      {"\"my run.out\"150 7", 2},
      {"\"\"", 1},
      {"\"", 1},
      {"\" a b \"", 1},
      {"'my run.out' 150", 3},
      {"! comment line", 3},
      {std::string(300, ' ') + "a b", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(count_columns(c.line), c.expected) << "line: [" << c.line << "]";
  }
}

TEST(ColumnCounter, LooksAtNoMoreThanItsWorkLengthAfterLeadingBlanks) {
  std::string line = "   a" + std::string(255995, ' ') + "b";  // b at work position 255997
  EXPECT_EQ(count_columns(line), 2);
  line = "   a" + std::string(256000, ' ') + "b";  // b beyond the work copy
  EXPECT_EQ(count_columns(line), 1);
}

TEST(ColumnCounter, AgreesWithThePlainReadingOnRandomLines) {
  const char alphabet[] = {' ', ' ', ' ', 'a', '1', '"', '\t', ','};
  unsigned state = 12345;
  for (int i = 0; i < 2000; ++i) {
    std::string line;
    const int length = static_cast<int>(state % 24);
    for (int k = 0; k < length; ++k) {
      state = state * 1103515245u + 12345u;
      line += alphabet[(state >> 16) % sizeof alphabet];
    }
    state = state * 1103515245u + 12345u;
    ASSERT_EQ(count_columns(line), reference_count(line)) << "line: [" << line << "]";
  }
}

}  // namespace
}  // namespace rqo
