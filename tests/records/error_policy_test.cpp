#include "records/error_policy.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "records/program_stop.hpp"

namespace rqo {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(ErrorPolicy, LevelsOfTheConditions) {
  const struct {
    Condition condition;
    Level level;
  } rows[] = {
      {Condition::EndOfFile, Level::Serious},
      {Condition::EndOfInternalFile, Level::Error},
      {Condition::BadCharacterInReal, Level::Warning},
      {Condition::QuotedReal, Level::Warning},
      {Condition::AcosArgument, Level::Error},
      {Condition::OpenFailed, Level::Serious},
      {Condition::ReadFailed, Level::Serious},
      {Condition::CreateFailed, Level::Serious},
      {Condition::WriteFailed, Level::Serious},
      {Condition::PlotterNotStarted, Level::Warning},
      {Condition::RunLineUnread, Level::Warning},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(level_of(row.condition), row.level)
        << "condition " << static_cast<int>(row.condition);
  }
}

TEST(ErrorPolicy, SeriousConditionEndsAtFirstOccurrenceWithOneReport) {
  for (const Condition condition :
       {Condition::EndOfFile, Condition::OpenFailed, Condition::ReadFailed, Condition::CreateFailed,
        Condition::WriteFailed}) {
    std::ostringstream diagnostics;
    ErrorPolicy policy(diagnostics);
    try {
      policy.report(condition, "cannot read runs.lst");
      FAIL() << "no stop for condition " << static_cast<int>(condition);
    } catch (const ProgramStop& stop) {
      EXPECT_EQ(stop.reason, StopReason::Fatal);
    }
    const auto lines = lines_of(diagnostics.str());
    ASSERT_EQ(lines.size(), 1u) << diagnostics.str();
    EXPECT_EQ(lines[0].rfind("read_quavelon_out: ", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("cannot read runs.lst"), std::string::npos) << lines[0];
    EXPECT_EQ(policy.count(condition), 1);
  }
}

TEST(ErrorPolicy, ErrorIsReportedFiveTimesAndEndsAtItsTenth) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  for (int i = 1; i <= 9; ++i) {
    EXPECT_NO_THROW(policy.report(Condition::EndOfInternalFile, "value text ended"));
  }
  EXPECT_EQ(lines_of(diagnostics.str()).size(), 5u) << diagnostics.str();
  try {
    policy.report(Condition::EndOfInternalFile, "value text ended");
    FAIL() << "the tenth error did not end the program";
  } catch (const ProgramStop& stop) {
    EXPECT_EQ(stop.reason, StopReason::Fatal);
  }
  const auto lines = lines_of(diagnostics.str());
  ASSERT_EQ(lines.size(), 6u) << diagnostics.str();
  EXPECT_NE(lines[5].find("maximum error count exceeded"), std::string::npos) << lines[5];
  for (const auto& line : lines) EXPECT_EQ(line.rfind("read_quavelon_out: ", 0), 0u) << line;
  EXPECT_EQ(policy.count(Condition::EndOfInternalFile), 10);
  EXPECT_EQ(policy.count(Condition::AcosArgument), 0);  // each condition counts apart
}

TEST(ErrorPolicy, WarningsNeverEndAndAreReportedFiveTimes) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_NO_THROW(policy.report(Condition::BadCharacterInReal, "bad"));
    ASSERT_NO_THROW(policy.report(Condition::QuotedReal, "quoted"));
  }
  EXPECT_EQ(policy.count(Condition::BadCharacterInReal), 1000);
  EXPECT_EQ(lines_of(diagnostics.str()).size(), 10u) << diagnostics.str();
}

TEST(ErrorPolicy, AReportIsOneLineEvenWhenTheTextHoldsLineBreaks) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  policy.report(Condition::QuotedReal, "first\nsecond\rthird");
  const std::string text = diagnostics.str();
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
  EXPECT_EQ(text.find('\r'), std::string::npos) << text;
}

}  // namespace
}  // namespace rqo
