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
    std::ostringstream screen;
    std::istringstream keyboard(row.input);
    Console console(screen, keyboard, false);
    std::vector<std::string> lines;
    std::string line;
    while (console.read_line(line)) lines.push_back(line);
    EXPECT_EQ(lines, row.lines) << "input [" << row.input << "]";
    EXPECT_FALSE(console.read_line(line));
    EXPECT_EQ(screen.str(), "");
  }
}

}  // namespace
}  // namespace rqo
