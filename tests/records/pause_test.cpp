#include "records/pause.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace rqo {
namespace {

TEST(Pause, WritesThePromptAndWaitsOnlyAtATerminal) {
  const struct {
    bool interactive;
    std::string typed;
    std::string left_unread;
  } rows[] = {
      {false, "answer\nnext\n", "answer\nnext\n"},
      {true, "answer\nnext\n", "next\n"},
      {true, "", ""},  // the end of the input does not stop the pause
  };
  for (const auto& row : rows) {
    std::ostringstream screen;
    std::istringstream keyboard(row.typed);
    Console console(screen, keyboard, row.interactive);
    console.write_record(" ! Problem reading buffer file. Program will be stopped.");
    pause(console);
    EXPECT_EQ(
        screen.str(),
        "\r! Problem reading buffer file. Program will be stopped.\nPress Enter to Continue.");
    std::string rest;
    std::getline(keyboard, rest, '\0');
    EXPECT_EQ(rest, row.left_unread)
        << "interactive " << row.interactive << ", typed \"" << row.typed << '"';
    console.write_pending_break();
    EXPECT_EQ(screen.str().back(), '\n');
  }
}

}  // namespace
}  // namespace rqo
