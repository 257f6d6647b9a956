#include "output/plot_writer.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/string_sink.hpp"

namespace rqo {
namespace {

using testing::StringSink;

std::string joined(const std::vector<std::string>& records) {
  std::string text;
  for (const std::string& record : records) text += record + "\n";
  return text;
}

TEST(PlotHeader, TwoPatternFile) {
  StringSink sink;
  PlotWriter().write_plot_header(sink, kPlotFileKinds[0],
                                 "Cooling series, crystal 3" + std::string(103, ' '), 3);
  const std::string expected =
      "# MAIN LEGEND TEXT: Cooling series, crystal 3\n"
      "# X LEGEND TEXT   : Temperature (K)\n"
      "# Y LEGEND TEXT   : a unit cell parameter (A)\n"
      "# NUMBER OF PATTERNS: 2\n"
      "#--------------------------------------------------\n"
      "# >>>>>>>> PATTERN #: 1\n"
      "#             TITLE : a_min(A)=f(T)\n"
      "#  NUMBER OF POINTS :        3\n"
      "#            MARKER : 1\n"
      "#              SIZE : 2\n"
      "#   DATA: X Y\n";
  EXPECT_EQ(joined(sink.records), expected);
}

TEST(PlotHeader, KindSelectsFirstTitleAndPatternCount) {
  struct Case {
    std::size_t kind;
    const char* pattern_count_line;
    const char* first_title_line;
  };
  const Case cases[] = {
      {0, "# NUMBER OF PATTERNS: 2", "#             TITLE : a_min(A)=f(T)"},
      {5, "# NUMBER OF PATTERNS: 2", "#             TITLE : gamma_min(deg)=f(T)"},
      {6, "# NUMBER OF PATTERNS: 2", "#             TITLE : volume_min(A3)=f(T)"},
      {7, "# NUMBER OF PATTERNS: 2", "#             TITLE : mosaicity_min(deg)=f(T)"},
      {8, "# NUMBER OF PATTERNS: 6", "#             TITLE : chi2_x_min=f(T)"},
  };
  for (const Case& c : cases) {
    StringSink sink;
    const std::string_view name = kPlotFileKinds[c.kind].file_name;
    PlotWriter().write_plot_header(sink, kPlotFileKinds[c.kind], "", 0);
    ASSERT_EQ(sink.records.size(), 11u) << name;
    EXPECT_EQ(sink.records[3], c.pattern_count_line) << name;
    EXPECT_EQ(sink.records[6], c.first_title_line) << name;
  }
}

TEST(PlotHeader, BlankTitleKeepsTheLabelBlankAndZeroPointsAreRightAligned) {
  StringSink sink;
  PlotWriter().write_plot_header(sink, kPlotFileKinds[8], std::string(128, ' '), 0);
  EXPECT_EQ(sink.records.at(0), "# MAIN LEGEND TEXT: ");
  EXPECT_EQ(sink.records.at(7), "#  NUMBER OF POINTS :        0");
}

TEST(PlotPattern, NumberSelectsMarker) {
  struct Case {
    int number;
    const char* marker_line;
  };
  const Case cases[] = {{1, "#            MARKER : 1"},
                        {2, "#            MARKER : 4"},
                        {3, "#            MARKER : 6"}};
  for (const Case& c : cases) {
    StringSink sink;
    PlotWriter().write_pattern_header(sink, "t", 12345678, c.number);
    ASSERT_EQ(sink.records.size(), 6u);
    EXPECT_EQ(sink.records[0], "# >>>>>>>> PATTERN #: " + std::to_string(c.number));
    EXPECT_EQ(sink.records[2], "#  NUMBER OF POINTS : 12345678");
    EXPECT_EQ(sink.records[3], c.marker_line) << "pattern " << c.number;
    EXPECT_EQ(sink.records[4], "#              SIZE : 2");
  }
}

TEST(PlotFileKinds, ChiSquareFileNumbersAndMarkers) {
  const PlotFileKind& chi2 = kPlotFileKinds.back();
  ASSERT_EQ(chi2.file_name, "TK_chi2.pgf");
  std::string numbers;
  std::string markers;
  PlotWriter writer;
  for (const PlotPattern& pattern : chi2.patterns) {
    StringSink sink;
    writer.write_pattern_header(sink, pattern.title, 0, pattern.number);
    numbers += sink.records[0].back();
    markers += sink.records[3].back();
  }
  EXPECT_EQ(numbers, "112233");
  EXPECT_EQ(markers, "114466");
}

TEST(PlotFileKinds, EachPatternShowsItsOwnQuantity) {
  RunRecord run;
  run.cell_min = {1, 2, 3, 4, 5, 6};
  run.cell_max = {11, 12, 13, 14, 15, 16};
  run.volume_min = 7;
  run.volume_max = 17;
  run.mosa_min = 8;
  run.mosa_max = 18;
  run.chi2_min = {9, 10, 21};
  run.chi2_max = {19, 20, 22};
  std::vector<float> seen;
  for (const PlotFileKind& kind : kPlotFileKinds) {
    for (const PlotPattern& pattern : kind.patterns) seen.push_back(pattern.value(run));
  }
  const std::vector<float> expected{1,  11, 2,  12, 3,  13, 4,  14, 5,  15, 6,
                                    16, 7,  17, 8,  18, 9,  19, 10, 20, 21, 22};
  EXPECT_EQ(seen, expected);
}

TEST(PlotRow, TemperatureAndValueFields) {
  struct Case {
    float temperature;
    float value;
    const char* row;
  };
  const Case cases[] = {
      {150.0f, 10.1234f, "150.00            10.12340"},
      {4.5f, 0.0f, "  4.50             0.00000"},
      {1000.0f, 123456.789f, "******        123456.78900"},
      {-12.5f, -0.004f, "-12.50            -0.00400"},
  };
  for (const Case& c : cases) {
    StringSink sink;
    PlotWriter().write_plot_row(sink, c.temperature, c.value);
    ASSERT_EQ(sink.records.size(), 1u);
    EXPECT_EQ(sink.records[0], c.row) << "T " << c.temperature << " value " << c.value;
  }
}

TEST(PlotEnd, Marker) {
  StringSink sink;
  PlotWriter().write_plot_end(sink);
  EXPECT_EQ(sink.records, std::vector<std::string>{"# END OF FILE"});
}

}  // namespace
}  // namespace rqo
