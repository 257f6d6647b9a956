#include "records/list_input.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

#include "records/program_stop.hpp"

namespace rqo {
namespace {

constexpr float kBefore = 7.0f;

struct TwoReals {
  float first = kBefore;
  float second = kBefore;
  int status = 0;
  std::string diagnostics;
};

TwoReals read_two_reals(std::string_view text, StatusMode mode) {
  TwoReals result;
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  const ListItem items[] = {&result.first, &result.second};
  result.status = read_list(text, items, mode, policy, SourceContext{"test.log", 12});
  result.diagnostics = diagnostics.str();
  return result;
}

int status_class(int status) {
  return status < 0 ? -1 : status > 0 ? 1 : 0;
}

TEST(ReadListReals, TwoRealsFromAValueText) {
  const struct {
    std::string text;
    float first;
    float second;
    int status;  // -1, 0 or 1 (any positive status)
  } rows[] = {
      {"10.123 10.456", 10.123f, 10.456f, 0},
      {"10.123,10.456 11.0", 10.123f, 10.456f, 0},
      {"  1.5E2  2D0", 150.0f, 2.0f, 0},
      {"10.123", 10.123f, kBefore, -1},
      {"1.0,,5.0", 1.0f, kBefore, 0},
      {"1.0/ 2.0", 1.0f, kBefore, 0},
      {"2*3.5", 3.5f, 3.5f, 0},
      {"", kBefore, kBefore, -1},
      {"   \t  ", kBefore, kBefore, -1},
      {",5", kBefore, 5.0f, 0},
      {" , 5", kBefore, 5.0f, 0},
      {"1 , 2", 1.0f, 2.0f, 0},
      {"1,\t 2", 1.0f, 2.0f, 0},
      {"1e2 1E2", 100.0f, 100.0f, 0},
      {"1d2 1D-2", 100.0f, 0.01f, 0},
      {"+4. -.5", 4.0f, -0.5f, 0},
      {"150 -3", 150.0f, -3.0f, 0},
      {"1.5e+3 2.5d-1", 1500.0f, 0.25f, 0},
      {"/", kBefore, kBefore, 0},
      {"2*", kBefore, kBefore, 0},
      {"1*4 2*9", 4.0f, 9.0f, 0},
      {"3*1.5 8", 1.5f, 1.5f, 0},
      {"1 2/", 1.0f, 2.0f, 0},
      {"1 2 garbage", 1.0f, 2.0f, 0},
      {"1,", 1.0f, kBefore, -1},
      {"NaN 1", kBefore, kBefore, 1},
      {"1 inf", 1.0f, kBefore, 1},
      {"1 Infinity", 1.0f, kBefore, 1},
      {"1.0a 2", kBefore, kBefore, 1},
      {"1 abc", 1.0f, kBefore, 1},
      {"'1.0' 2", kBefore, kBefore, 1},
      {"1 \"2\"", 1.0f, kBefore, 1},
      {"1e 2", kBefore, kBefore, 1},
      {". 2", kBefore, kBefore, 1},
      {"1.0+5 2", kBefore, kBefore, 1},
      {"0*5 2", kBefore, kBefore, 1},
      {"0x10 2", kBefore, kBefore, 1},
      {"1q5 2", kBefore, kBefore, 1},
      {"A axis length  : 1 2", kBefore, kBefore, 1},
  };
  for (const auto& row : rows) {
    const TwoReals got = read_two_reals(row.text, StatusMode::Wanted);
    EXPECT_TRUE(
        std::bit_cast<std::uint32_t>(got.first) == std::bit_cast<std::uint32_t>(row.first) &&
        std::bit_cast<std::uint32_t>(got.second) == std::bit_cast<std::uint32_t>(row.second) &&
        status_class(got.status) == row.status)
        << "text \"" << row.text << "\": expected " << row.first << ", " << row.second
        << ", status " << row.status << "; got " << got.first << ", " << got.second << ", status "
        << got.status;
    EXPECT_EQ(got.diagnostics, "") << "text \"" << row.text << '"';
  }
}

TEST(ReadListReals, ConversionIsToTheNearestSingle) {
  const struct {
    std::string text;
    std::uint32_t bits;
  } rows[] = {
      {"0.1", 0x3dcccccdu},
      {"16777217", 0x4b800000u},  // a tie between two singles goes to the even one
      {"16777219", 0x4b800002u},
      {"3.4028235e38", 0x7f7fffffu},
      {"3.40282357e38", 0x7f800000u},  // beyond the largest single: infinity
      {"-1e39", 0xff800000u},
      {"1e-45", 0x00000001u},
      {"7e-46", 0x00000000u},
      {"-1e-50", 0x80000000u},
      {"-0", 0x80000000u},
      {"1e99999999999999999999", 0x7f800000u},
      {"0." + std::string(200, '0') + "1e201", 0x3f800000u},
  };
  for (const auto& row : rows) {
    const TwoReals got = read_two_reals(row.text + " 0", StatusMode::Wanted);
    EXPECT_EQ(got.status, 0) << row.text;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(got.first), row.bits)
        << row.text << " gave " << got.first;
  }
}

TEST(ReadListReals, StatusCodesAndReportsWithoutStatus) {
  const struct {
    std::string text;
    int status;
    Condition condition;
    std::string shown;  // the offending text, as the report must show it
  } rows[] = {
      {"1.0a 2", kStatusBadReal, Condition::BadCharacterInReal, "\"1.0a\""},
      {"nan 2", kStatusBadReal, Condition::BadCharacterInReal, "\"nan\""},
      {"'1' 2", kStatusQuotedReal, Condition::QuotedReal, "'1'"},
      {"1", kStatusEnd, Condition::EndOfInternalFile, "\"1\""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(read_two_reals(row.text, StatusMode::Wanted).status, row.status) << row.text;
    std::ostringstream diagnostics;
    ErrorPolicy policy(diagnostics);
    float a = kBefore, b = kBefore;
    const ListItem items[] = {&a, &b};
    EXPECT_EQ(read_list(row.text, items, StatusMode::NotWanted, policy, {"scan.log", 42}),
              row.status)
        << row.text;
    EXPECT_EQ(policy.count(row.condition), 1) << row.text;
    const std::string report = diagnostics.str();
    EXPECT_NE(report.find("scan.log"), std::string::npos) << report;
    EXPECT_NE(report.find("42"), std::string::npos) << report;
    EXPECT_NE(report.find(row.shown), std::string::npos) << report;
  }
}

TEST(ReadListReals, TenthEndOfValueTextEndsTheProgram) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  float a = 0, b = 0;
  const ListItem items[] = {&a, &b};
  for (int i = 0; i < 9; ++i) read_list("1", items, StatusMode::NotWanted, policy, {"x", 1});
  EXPECT_THROW(read_list("1", items, StatusMode::NotWanted, policy, {"x", 1}), ProgramStop);
}

struct TextAndReal {
  std::string text;
  float real = kBefore;
  int status = 0;
};

TextAndReal read_text_and_real(std::string_view line, std::size_t length) {
  std::ostringstream diagnostics;
  ErrorPolicy policy(diagnostics);
  TextHolder holder(length);
  holder.assign("old");
  TextAndReal result;
  const ListItem items[] = {&holder, &result.real};
  result.status = read_list(line, items, StatusMode::Wanted, policy, {"runs.lst", 3});
  result.text = std::string(holder.view());
  return result;
}

TEST(ReadListTexts, TextItemThenReal) {
  const struct {
    std::string line;
    std::size_t length;
    std::string text;
    float real;
    int status;
  } rows[] = {
      {"run list.txt", 8, "run     ", kBefore, 1},
      {"\"run list.txt\" 150", 16, "run list.txt    ", 150.0f, 0},
      {"'run list.txt' 150", 16, "run list.txt    ", 150.0f, 0},
      {"a/b 150", 4, "a   ", kBefore, 0},
      {"\"a/b\" 150", 4, "a/b ", 150.0f, 0},
      {"'a,b c/d',2", 10, "a,b c/d   ", 2.0f, 0},
      {"'it''s' 1", 6, "it's  ", 1.0f, 0},
      {"\"say \"\"hi\"\"\" 1", 10, "say \"hi\"  ", 1.0f, 0},
      {"\"it's\" 1", 6, "it's  ", 1.0f, 0},
      {"''  1", 3, "   ", 1.0f, 0},
      {"run_100K.out          100.0", 12, "run_100K.out", 100.0f, 0},
      {"very_long_name.out 5", 4, "very", 5.0f, 0},
      {",5", 3, "old", 5.0f, 0},
      {"2*x", 3, "x  ", kBefore, 1},
      {"2*7", 3, "7  ", 7.0f, 0},
      {"12abc 1", 5, "12abc", 1.0f, 0},
      {"a'b 1", 3, "a'b", 1.0f, 0},
      {"'unclosed 1", 12, "unclosed 1  ", kBefore, -1},
      {"'ab'cd 1", 4, "old ", kBefore, 1},
      {"log.out", 8, "log.out ", kBefore, -1},
  };
  for (const auto& row : rows) {
    const TextAndReal got = read_text_and_real(row.line, row.length);
    EXPECT_TRUE(got.text == row.text && got.real == row.real &&
                status_class(got.status) == row.status)
        << "line \"" << row.line << "\": expected \"" << row.text << "\", " << row.real
        << ", status " << row.status << "; got \"" << got.text << "\", " << got.real << ", status "
        << got.status;
  }
}

// Console reads: the keyboard is a string of typed lines.
struct ConsoleRead {
  std::string answer;
  int status = 0;
  std::string rest;  // what is left unread on the keyboard
  std::string diagnostics;
};

ConsoleRead read_answer(const std::string& typed, StatusMode mode) {
  std::ostringstream screen, diagnostics;
  std::istringstream keyboard(typed);
  Console console(screen, keyboard, false);
  ErrorPolicy policy(diagnostics);
  TextHolder answer(16);
  answer.assign("n");
  const ListItem items[] = {&answer};
  ConsoleRead result;
  result.status = read_list(console, items, mode, policy);
  result.answer = std::string(answer.trimmed());
  std::getline(keyboard, result.rest, '\0');
  result.diagnostics = diagnostics.str();
  EXPECT_EQ(screen.str(), "") << "reading wrote to the screen";
  return result;
}

TEST(ReadListConsole, AnswersAndContinuationOverBlankLines) {
  const struct {
    std::string typed;
    std::string answer;
    std::string rest;
  } rows[] = {
      {"y\n", "y", ""},
      {"Y\nnext\n", "Y", "next\n"},
      {"'y'\n", "y", ""},
      {"\"y\"\n", "y", ""},
      {"  y and more\n", "y", ""},
      {"\n   \n\t\ny\nz\n", "y", "z\n"},
      {"\r\n  \r\nyes\r\n", "yes", ""},
      {",\n", "n", ""},
      {"/\n", "n", ""},
      {"abcdefghijklmnopqrstuvwxyz\n", "abcdefghijklmnop", ""},
      {"  !! weird\n", "!!", ""},
      {"'two words' x\n", "two words", ""},
      {"'it''s'\n", "it's", ""},
      {"y", "y", ""},
  };
  for (const auto& row : rows) {
    const ConsoleRead got = read_answer(row.typed, StatusMode::NotWanted);
    EXPECT_TRUE(got.status == kStatusOk && got.answer == row.answer && got.rest == row.rest)
        << "typed \"" << row.typed << "\": expected \"" << row.answer << "\" leaving \"" << row.rest
        << "\"; got \"" << got.answer << "\" leaving \"" << got.rest << "\", status " << got.status;
    EXPECT_EQ(got.diagnostics, "");
  }
}

TEST(ReadListConsole, ItemsContinueOnTheNextLine) {
  std::ostringstream screen, diagnostics;
  std::istringstream keyboard("1.5\n\n  \n2.5 3.5\n4.5\n");
  Console console(screen, keyboard, false);
  ErrorPolicy policy(diagnostics);
  float a = 0, b = 0, c = 0;
  const ListItem items[] = {&a, &b};
  EXPECT_EQ(read_list(console, items, StatusMode::NotWanted, policy), kStatusOk);
  EXPECT_EQ(a, 1.5f);
  EXPECT_EQ(b, 2.5f);
  // The rest of a line is not carried over: the next read starts at the next line.
  const ListItem next[] = {&c};
  EXPECT_EQ(read_list(console, next, StatusMode::NotWanted, policy), kStatusOk);
  EXPECT_EQ(c, 4.5f);
}

TEST(ReadListConsole, EndOfInputIsFatalWithoutStatusAndMinusOneWithIt) {
  for (const std::string typed : {"", "\n  \n\t\n"}) {
    const ConsoleRead wanted = read_answer(typed, StatusMode::Wanted);
    EXPECT_EQ(wanted.status, kStatusEnd);
    EXPECT_EQ(wanted.diagnostics, "");
    EXPECT_EQ(wanted.answer, "n");

    std::ostringstream screen, diagnostics;
    std::istringstream keyboard(typed);
    Console console(screen, keyboard, false);
    ErrorPolicy policy(diagnostics);
    TextHolder name(64);
    const ListItem items[] = {&name};
    try {
      read_list(console, items, StatusMode::NotWanted, policy);
      FAIL() << "no stop at the end of the console input";
    } catch (const ProgramStop& stop) {
      EXPECT_EQ(stop.reason, StopReason::Fatal);
    }
    EXPECT_EQ(diagnostics.str().rfind("read_quavelon_out: ", 0), 0u) << diagnostics.str();
    EXPECT_EQ(policy.count(Condition::EndOfFile), 1);
  }
}

}  // namespace
}  // namespace rqo
