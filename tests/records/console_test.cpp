#include "records/console.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace rqo {
namespace {

TEST(Console, CarriageControlBytes) {
  struct Row {
    std::vector<const char*> records;
    const char* expected;
  };
  const Row rows[] = {
      {{" first"}, "\rfirst"},
      {{" first", " second"}, "\rfirst\nsecond"},
      {{" a", "0b"}, "\ra\n\nb"},
      {{" a", "1b"}, "\ra\n\fb"},
      {{" a", "+b"}, "\ra\rb"},
      {{" a", "xb"}, "\ra\nb"},
      {{" a", ""}, "\ra\n"},
      {{"0first"}, "\rfirst"},
      {{"  TK = ", " "}, "\r TK = \n"},
  };
  for (const Row& row : rows) {
    std::ostringstream screen;
    std::istringstream keyboard;
    Console console(screen, keyboard, false);
    for (const char* record : row.records) console.write_record(record);
    EXPECT_EQ(screen.str(), row.expected) << "records starting with \"" << row.records[0] << "\"";
  }
}

TEST(Console, AnswerIsTypedOnThePromptLine) {
  std::ostringstream screen;
  std::istringstream keyboard("runs.txt\n");
  Console console(screen, keyboard, false);
  console.write_record(" banner");
  console.write_record("   > Enter buffer file (output list)   : ");
  std::string answer;
  ASSERT_TRUE(console.read_line(answer));
  EXPECT_EQ(answer, "runs.txt");
  console.write_record(" next");
  console.write_pending_break();
  EXPECT_EQ(screen.str(), "\rbanner\n  > Enter buffer file (output list)   : \nnext\n");
}

TEST(Console, PendingBreakBeforeThePauseAndAtExit) {
  std::ostringstream screen;
  std::istringstream keyboard;
  Console console(screen, keyboard, false);
  console.write_record(" stop message");
  // Writing the pending break first and the prompt record after it shows the same bytes as
  // the prompt record alone.
  console.write_pending_break();
  console.write_record(" Press Enter to Continue.");
  console.write_pending_break();
  console.write_pending_break();
  EXPECT_EQ(screen.str(), "\rstop message\nPress Enter to Continue.\n");

  std::ostringstream other;
  Console direct(other, keyboard, false);
  direct.write_record(" stop message");
  direct.write_record(" Press Enter to Continue.");
  direct.write_pending_break();
  EXPECT_EQ(other.str(), screen.str());
}

TEST(Console, NothingWrittenMeansNoBreakAtExit) {
  std::ostringstream screen;
  std::istringstream keyboard;
  Console console(screen, keyboard, true);
  console.write_pending_break();
  EXPECT_EQ(screen.str(), "");
  EXPECT_TRUE(console.interactive());
}

// Everything a console reads from the given keyboard input, line by line.
struct KeyboardReading {
  std::vector<std::string> lines;
  bool reads_after_end = false;  // whether a read after the end still gave a line
  std::string screen;            // what the reads wrote to the screen
};

KeyboardReading read_all_lines(const std::string& input) {
  std::ostringstream screen;
  std::istringstream keyboard(input);
  Console console(screen, keyboard, false);
  KeyboardReading reading;
  std::string line;
  while (console.read_line(line)) reading.lines.push_back(line);
  reading.reads_after_end = console.read_line(line);
  reading.screen = screen.str();
  return reading;
}

TEST(Console, ReadLineEndsAtCrOrLf) {
  struct Row {
    const char* input;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"", {}},
      {"one\ntwo\n", {"one", "two"}},
      {"one\r\ntwo", {"one", "two"}},
      {"last without newline", {"last without newline"}},
      {"\n\n", {"", ""}},
      {"a\rhidden\nb\n", {"a", "b"}},
  };
  for (const Row& row : rows) {
    const KeyboardReading reading = read_all_lines(row.input);
    EXPECT_EQ(reading.lines, row.lines) << "input [" << row.input << "]";
    EXPECT_FALSE(reading.reads_after_end);
    EXPECT_EQ(reading.screen, "");
  }
}

// A line typed (or piped) at the console may be of any length: its memory stays bounded, and
// the next read starts at the next line.
TEST(Console, LongLineKeepsItsStartAndGoesOnWithTheNextLine) {
  struct Row {
    std::string input;
    std::vector<std::string> lines;
  };
  const std::size_t kept = Console::kKeptLineLength;
  const Row rows[] = {
      {std::string(kept + 5, 'a') + "\nnext\n", {std::string(kept, 'a'), "next"}},
      {std::string(kept, 'b') + "\r\n" + "x", {std::string(kept, 'b'), "x"}},
      {"c\r" + std::string(3 * kept, 'd') + "\ne", {"c", "e"}},
      // A long run of blanks keeps its start only, so what follows it is still read.
      {std::string(2 * kept, ' '), {std::string(Console::kKeptBlankRun, ' ')}},
      {std::string(3 * kept, ' ') + "y  " + std::string(kept, ' ') + "z\n",
       {std::string(Console::kKeptBlankRun, ' ') + "y" + std::string(Console::kKeptBlankRun, ' ') +
        "z"}},
  };
  for (const Row& row : rows) {
    const std::vector<std::string> lines = read_all_lines(row.input).lines;
    ASSERT_EQ(lines.size(), row.lines.size()) << "input of " << row.input.size() << " bytes";
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i].size(), row.lines[i].size()) << "line " << i;
      EXPECT_EQ(lines[i], row.lines[i]) << "line " << i;
    }
  }
}

}  // namespace
}  // namespace rqo
