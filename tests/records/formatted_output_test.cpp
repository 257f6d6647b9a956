#include "records/formatted_output.hpp"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "records/integer_field.hpp"

namespace rqo {
namespace {

struct RecordingSink : RecordSink {
  std::vector<std::string> records;
  void write_record(std::string_view record) override { records.emplace_back(record); }
};

template <FixedString List, typename... Values>
std::string render(const Values&... values) {
  std::string record;
  format_record<List>(record, values...);
  return record;
}

TEST(IntegerField, RendersOrFillsWithAsterisks) {
  struct Row {
    std::int32_t value;
    int width;
    const char* expected;
  };
  const Row rows[] = {
      {7, 1, "7"},
      {0, 1, "0"},
      {12, 1, "*"},
      {-1, 1, "*"},
      {-1, 2, "-1"},
      {120, 8, "     120"},
      {6, 6, "     6"},
      {-45, 4, " -45"},
      {100000, 5, "*****"},
      {2147483647, 10, "2147483647"},
      {-2147483647 - 1, 11, "-2147483648"},
      {-2147483647 - 1, 10, "**********"},
  };
  for (const Row& row : rows) {
    std::string field(static_cast<std::size_t>(row.width), '?');
    render_integer(field.data(), row.value, row.width);
    EXPECT_EQ(field, row.expected) << row.value << " under I" << row.width;
  }
}

TEST(FormatRecord, FieldsOfEachKind) {
  struct Row {
    std::string actual;
    const char* expected;
  };
  const Row rows[] = {
      {render<"(A3)">("abc"), "abc"},
      {render<"(A5)">("abc"), "  abc"},
      {render<"(A2)">("abc"), "ab"},
      {render<"(A)">("abc  "), "abc  "},
      {render<"(A,A)">("x", "y"), "xy"},
      {render<"(3X,A)">("z"), "   z"},
      {render<"(A,I8)">("# NUMBER OF POINTS:", std::int32_t{12}), "# NUMBER OF POINTS:      12"},
      {render<"(A,I1)">("# PATTERN NUMBER: ", std::int32_t{10}), "# PATTERN NUMBER: *"},
      {render<"(F6.2,1F20.5)">(150.0f, 12.5f), "150.00            12.50000"},
      // The values run out: the record ends at the next data descriptor, after any skip.
      {render<"(A,I6)">("# NUMBER OF PATTERNS: 2"), "# NUMBER OF PATTERNS: 2"},
      {render<"(A,2X,I6)">("t"), "t  "},
      {render<"(A5,2X,I6)">("t"), "    t  "},
      {render<"(2X,A,F8.2,5X,A,3(2X,3F4.1),A)">("TK = ", 150.0f, "matrix: ", 1.0f, 0.0f, 0.0f, 0.0f,
                                                -1.0f, 0.0f, 0.5f, 0.25f, -0.05f, " end"),
       "  TK =   150.00     matrix:    1.0 0.0 0.0   0.0-1.0 0.0   0.5 0.3-0.1 end"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.actual, row.expected);
}

TEST(FormatRecord, TableRowIsAlways318Columns) {
  std::mt19937 generator(99);
  std::array<float, 23> values;
  std::string record;
  for (int i = 0; i < 2000; ++i) {
    for (auto& value : values)
      value = std::bit_cast<float>(static_cast<std::uint32_t>(generator()));
    std::apply(
        [&](const auto&... v) {
          format_record<"(F6.2,6F12.5,6F15.3,2F15.3,8F15.3)">(record, v...);
        },
        values);
    ASSERT_EQ(record.size(), 318u) << record;
  }
}

TEST(WriteFormatted, OneRecordPerStatement) {
  RecordingSink sink;
  write_formatted<"(A1,3A1)">(sink, "!", "-", "-", "-");
  write_formatted<"(A,I6)">(sink, "# NUMBER OF PATTERNS: 6");
  ASSERT_EQ(sink.records.size(), 2u);
  EXPECT_EQ(sink.records[0], "!---");
  EXPECT_EQ(sink.records[1], "# NUMBER OF PATTERNS: 6");
}

TEST(FormatRuler, WhatA1ListsWriteOfOneCharacterTexts) {
  std::string ruler;
  format_ruler(ruler, '!', '-', 320);
  EXPECT_EQ(ruler, "!" + std::string(320, '-'));
  format_ruler(ruler, '#', '-', 3);
  EXPECT_EQ(ruler, render<"(A1,3A1)">("#", "-", "-", "-"));
}

TEST(WriteFormatted, IntoATextIsATextAssignment) {
  TextHolder longer(12);
  write_formatted<"(A,A)">(longer, "kestrova ", "x");
  EXPECT_EQ(longer.view(), "kestrova x  ");
  TextHolder shorter(4);
  write_formatted<"(2A)">(shorter, "kestrova ", "x");
  EXPECT_EQ(shorter.view(), "kest");
}

TEST(WriteList, ABlankThenTheTextsAsTheyAre) {
  RecordingSink sink;
  write_list(sink, {"  !! ", "runs.txt  ", " does not exist !!"});
  write_list(sink, {});
  ASSERT_EQ(sink.records.size(), 2u);
  EXPECT_EQ(sink.records[0], "   !! runs.txt   does not exist !!");
  EXPECT_EQ(sink.records[1], " ");
}

}  // namespace
}  // namespace rqo
