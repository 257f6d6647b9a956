#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "records/console.hpp"

namespace rqo {
namespace {

// A line typed (or piped) at the console may be of any length: only its start is kept, and the
// next read starts at the next line.
TEST(ConsoleLongLine, KeepsItsStartAndGoesOnWithTheNextLine) {
  struct Row {
    std::string input;
    std::vector<std::string> lines;
  };
  const std::size_t kept = Console::kKeptLineLength;
  const Row rows[] = {
      {std::string(kept + 5, 'a') + "\nnext\n", {std::string(kept, 'a'), "next"}},
      {std::string(kept, 'b') + "\r\n" + "x", {std::string(kept, 'b'), "x"}},
      {"c\r" + std::string(3 * kept, 'd') + "\ne", {"c", "e"}},
      {std::string(2 * kept, ' '), {std::string(kept, ' ')}},
  };
  for (const Row& row : rows) {
    std::ostringstream screen;
    std::istringstream keyboard(row.input);
    Console console(screen, keyboard, false);
    std::vector<std::string> lines;
    std::string line;
    while (console.read_line(line)) lines.push_back(line);
    ASSERT_EQ(lines.size(), row.lines.size()) << "input of " << row.input.size() << " bytes";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].size(), row.lines[i].size()) << "line " << i;
      EXPECT_EQ(lines[i], row.lines[i]) << "line " << i;
    }
  }
}

}  // namespace
}  // namespace rqo
