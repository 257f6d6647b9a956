#include "records/formatted_input.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "records/program_stop.hpp"

namespace rqo {
namespace {

std::string write_temp(const std::string& bytes) {
  char pattern[] = "/tmp/rqo_formatted_input_XXXXXX";
  const int fd = mkstemp(pattern);
  EXPECT_GE(fd, 0);
  close(fd);
  std::ofstream(pattern, std::ios::binary) << bytes;
  return pattern;
}

TEST(ReadFormattedText, HolderIsCutOrFilledWithBlanks) {
  const std::string long_line(300, 'q');
  const std::string path = write_temp("a b\n\n" + long_line + "\r\nnext\n");
  InputFile file;
  ASSERT_TRUE(file.open(path));
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  const struct {
    std::size_t length;
    std::string expected;
  } rows[] = {
      {5, "a b  "},
      {3, "   "},
      {256, long_line.substr(0, 256)},
      {2, "ne"},
  };
  for (const auto& row : rows) {
    TextHolder holder(row.length);
    holder.assign("previous content");
    EXPECT_EQ(read_formatted_text(file, holder, StatusMode::NotWanted, policy), kStatusOk);
    EXPECT_EQ(holder.view(), row.expected);
  }
  TextHolder holder(4);
  holder.assign("keep");
  EXPECT_EQ(read_formatted_text(file, holder, StatusMode::Wanted, policy), kStatusEnd);
  EXPECT_EQ(holder.view(), "keep");
  EXPECT_EQ(diagnostics.str(), "");
  unlink(path.c_str());
}

TEST(ReadFormattedText, EndOfFileWithoutStatusIsFatalAndNamesTheFile) {
  const std::string path = write_temp("only line\n");
  InputFile file;
  ASSERT_TRUE(file.open(path));
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  TextHolder holder(128);
  ASSERT_EQ(read_formatted_text(file, holder, StatusMode::NotWanted, policy), kStatusOk);
  try {
    read_formatted_text(file, holder, StatusMode::NotWanted, policy);
    FAIL() << "no stop at the end of the file";
  } catch (const ProgramStop& stop) {
    EXPECT_EQ(stop.reason, StopReason::Fatal);
  }
  EXPECT_NE(diagnostics.str().find(path), std::string::npos) << diagnostics.str();
  EXPECT_EQ(policy.count(Condition::EndOfFile), 1);
  unlink(path.c_str());
}

TEST(ReadFormattedText, ReadFailureIsFatalWithoutStatusAndPositiveWithIt) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  InputFile file;  // never opened: every read fails
  TextHolder holder(8);
  EXPECT_GT(read_formatted_text(file, holder, StatusMode::Wanted, policy), 0);
  EXPECT_EQ(diagnostics.str(), "");
  EXPECT_THROW(read_formatted_text(file, holder, StatusMode::NotWanted, policy), ProgramStop);
  EXPECT_EQ(policy.count(Condition::ReadFailed), 1);
}

}  // namespace
}  // namespace rqo
