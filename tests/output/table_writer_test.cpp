#include "output/table_writer.hpp"

#include <gtest/gtest.h>

#include <string>

#include "output/string_sink.hpp"

namespace rqo {
namespace {

using testing::StringSink;

TEST(TableHeader, FourCommentLines) {
  StringSink sink;
  TableWriter().write_table_header(sink, "Cooling series, crystal 3" + std::string(103, ' '));
  ASSERT_EQ(sink.records.size(), 4u);
  EXPECT_EQ(sink.records[0], "! Cooling series, crystal 3");
  EXPECT_EQ(sink.records[1], "! Parameters extracted from TK_quavelon.out (min and values)");
  EXPECT_EQ(sink.records[3], "!" + std::string(320, '-'));
}

TEST(TableHeader, BlankTitleKeepsTheBlankAfterTheMark) {
  StringSink sink;
  TableWriter().write_table_header(sink, std::string(128, ' '));
  EXPECT_EQ(sink.records.at(0), "! ");
}

// Each header text stands right-aligned over its data field: it ends in the field's last
// column and has a blank (or the line's "!") before it.
TEST(TableHeader, ColumnHeaderIsAlignedWithTheDataFields) {
  struct Column {
    const char* text;
    int last_column;
  };
  const Column columns[] = {{"TK", 6},
                            {"a_min(A)", 18},
                            {"a_max(A)", 30},
                            {"b_min(A)", 42},
                            {"b_max(A)", 54},
                            {"c_min(A)", 66},
                            {"c_max(A)", 78},
                            {"alpha_min(deg)", 93},
                            {"alpha_max(deg)", 108},
                            {"beta_min(deg)", 123},
                            {"beta_max(deg)", 138},
                            {"gamma_min(deg)", 153},
                            {"gamma_max(deg)", 168},
                            {"volume_min(A3)", 183},
                            {"volume_max(A3)", 198},
                            {"mosa_min(deg)", 213},
                            {"mosa_max(deg)", 228},
                            {"chi2_x_min", 243},
                            {"chi2_x_max", 258},
                            {"chi2_y_min", 273},
                            {"chi2_y_max", 288},
                            {"chi2_rot_min", 303},
                            {"chi2_rot_max", 318}};
  StringSink sink;
  TableWriter().write_table_header(sink, "t");
  const std::string& header = sink.records.at(2);
  ASSERT_EQ(header.size(), 318u);
  EXPECT_EQ(header[0], '!');
  std::string rebuilt(318, ' ');
  rebuilt[0] = '!';
  for (const Column& column : columns) {
    const std::string text = column.text;
    rebuilt.replace(static_cast<std::size_t>(column.last_column) - text.size(), text.size(), text);
  }
  EXPECT_EQ(header, rebuilt);
}

TEST(TableRow, FieldsInOrderMinimumBeforeMaximum) {
  RunRecord run;
  run.temperature = 150.0f;
  run.cell_min = {10.1234f, 11.5f, 12.25f, 90.0f, 101.125f, 89.99f};
  run.cell_max = {10.1456f, 11.75f, 12.5f, 90.02f, 101.5f, 90.01f};
  run.volume_min = 1234.5678f;
  run.volume_max = 1240.0f;
  run.mosa_min = 0.125f;
  run.mosa_max = 0.5f;
  run.chi2_min = {0.91f, 1.0f, 0.75f};
  run.chi2_max = {1.42f, 2.0f, 1.25f};
  StringSink sink;
  TableWriter().write_table_row(sink, run);
  const std::string expected =
      "150.00"
      "    10.12340    10.14560    11.50000    11.75000    12.25000    12.50000"
      "         90.000         90.020        101.125        101.500         89.990         90.010"
      "       1234.568       1240.000          0.125          0.500"
      "          0.910          1.420          1.000          2.000          0.750          1.250";
  ASSERT_EQ(sink.records.size(), 1u);
  EXPECT_EQ(sink.records[0], expected);
}

TEST(TableRow, ZerosAndOverflowKeepTheRowLength) {
  struct Case {
    float temperature;
    const char* first_field;
  };
  const Case cases[] = {{0.0f, "  0.00"}, {1000.0f, "******"}, {-12.5f, "-12.50"}};
  for (const Case& c : cases) {
    RunRecord run;
    run.temperature = c.temperature;
    StringSink sink;
    TableWriter().write_table_row(sink, run);
    const std::string& row = sink.records.at(0);
    EXPECT_EQ(row.size(), 318u) << "temperature " << c.temperature;
    EXPECT_EQ(row.substr(0, 6), c.first_field) << "temperature " << c.temperature;
    EXPECT_EQ(row.substr(6, 12), "     0.00000") << "temperature " << c.temperature;
    EXPECT_EQ(row.substr(303), "          0.000") << "temperature " << c.temperature;
  }
}

}  // namespace
}  // namespace rqo
