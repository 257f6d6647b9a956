// The files one program writes and another reads: the parameter table written by the tool,
// read by tk_expansion; TK_strain.pgf written by tk_expansion, read by kestrova.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis.hpp"
#include "input.hpp"
#include "model/plot_file_layout.hpp"
#include "model/run_table.hpp"
#include "model/table_layout.hpp"
#include "output/output_files.hpp"
#include "plot_file.hpp"
#include "records/error_policy.hpp"
#include "records/memory_files.hpp"
#include "report.hpp"
#include "worked_example.hpp"

namespace tkx {
namespace {

// A run whose every field is distinct and exact in the table's decimals, so a column read in
// the wrong place shows.
rqo::RunRecord run_at(float temperature, float step) {
  rqo::RunRecord run;
  run.temperature = temperature;
  run.cell_min = {10.125f + step, 11.125f + step, 12.0625f + step, 89.5f, 100.25f, 90.125f};
  run.cell_max = {10.25f + step, 11.375f + step, 12.5f + step, 89.75f, 100.5f, 90.375f};
  run.volume_min = 1300.5f;
  run.volume_max = 1400.25f;
  run.mosa_min = 0.25f;
  run.mosa_max = 0.5f;
  run.chi2_min = {1.125f, 2.125f, 3.125f};
  run.chi2_max = {1.25f, 2.25f, 3.25f};
  return run;
}

TEST(LayoutRoundTrip, TkExpansionReadsTheTableTheToolWrites) {
  const rqo::RunTable runs = {run_at(300.25f, 0.0f), run_at(200.5f, -0.5f), run_at(100.75f, -1.0f)};
  rqo::MemoryFiles memory;
  std::ostringstream diagnostics;
  rqo::ErrorPolicy policy(diagnostics);
  rqo::OutputFiles files(policy, memory);
  files.open("Three runs", static_cast<std::int32_t>(runs.size()));
  for (const rqo::RunRecord& run : runs) files.write_run_rows(run);
  files.complete_plot_files(runs);
  files.close();
  const std::string* table = memory.find(std::string(rqo::table_layout::kFileName));
  ASSERT_NE(table, nullptr);

  struct Case {
    CellChoice choice;
    double weight_of_maximum;
  };
  for (const Case c :
       {Case{CellChoice::Min, 0.0}, Case{CellChoice::Max, 1.0}, Case{CellChoice::Mid, 0.5}}) {
    const Series series = parse_series(*table, "table", {c.choice, 2.0});
    EXPECT_EQ(series.format, InputFormat::Table);
    EXPECT_EQ(series.title, "Three runs");
    ASSERT_EQ(series.rows.size(), runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
      const auto pick = [&](float minimum, float maximum) {
        return minimum + c.weight_of_maximum * (static_cast<double>(maximum) - minimum);
      };
      const rqo::Cell& lo = runs[i].cell_min;
      const rqo::Cell& hi = runs[i].cell_max;
      const Row& row = series.rows[i];
      EXPECT_EQ(row.t, runs[i].temperature) << "row " << i;
      EXPECT_EQ(row.sigma_t, 2.0);
      EXPECT_EQ(row.line, static_cast<long>(i) + 5);
      const std::vector<double> read = {row.cell.a,     row.cell.b,    row.cell.c,
                                        row.cell.alpha, row.cell.beta, row.cell.gamma};
      const std::vector<double> written = {pick(lo.a, hi.a),       pick(lo.b, hi.b),
                                           pick(lo.c, hi.c),       pick(lo.alpha, hi.alpha),
                                           pick(lo.beta, hi.beta), pick(lo.gamma, hi.gamma)};
      EXPECT_EQ(read, written) << "row " << i;
    }
  }
}

TEST(LayoutRoundTrip, KestrovaReadsTheStrainPlot) {
  const Series series = parse_series(kWorkedExample, "example.txt", {});
  const StrainSettings settings;
  const Expansion expansion = analyse(series, with_strain(settings));
  const kestrova::PlotFile plot =
      kestrova::parse_plot_file(strain_plot(series, expansion, settings));

  EXPECT_EQ(plot.main_legend, "example.txt");
  EXPECT_EQ(plot.x_legend, rqo::plot_layout::kTemperatureLegend);
  EXPECT_EQ(plot.y_legend, "Principal strain (%), Eulerian finite");
  ASSERT_EQ(plot.patterns.size(), 3u);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const kestrova::Pattern& pattern = plot.patterns[axis];
    std::string name = "X";  // appended: GCC 12 misjudges operator+ here (-Wrestrict)
    name += std::to_string(axis + 1);
    EXPECT_EQ(pattern.number, static_cast<int>(axis) + 1) << name;
    EXPECT_EQ(pattern.title, name + std::string("_strain(%)=f(T)"));
    EXPECT_EQ(pattern.marker, rqo::plot_layout::kPatternMarkers[axis].code) << name;
    EXPECT_EQ(pattern.size, rqo::plot_layout::kPatternMarkers[axis].size) << name;
    EXPECT_EQ(pattern.announced_points, static_cast<long>(series.rows.size())) << name;
    EXPECT_EQ(pattern.unplottable_rows, 0) << name;
    ASSERT_EQ(pattern.points.size(), series.rows.size()) << name;
    for (std::size_t n = 0; n < series.rows.size(); ++n) {
      EXPECT_EQ(pattern.points[n].x, series.rows[n].t) << name << " row " << n;
      EXPECT_NEAR(pattern.points[n].y, 100.0 * expansion.strains[n](axis), 0.5e-5)
          << name << " row " << n;
    }
  }
}

// A polynomial fit adds its curves as three more patterns, which kestrova reads whole.
TEST(LayoutRoundTrip, KestrovaReadsTheFittedCurves) {
  const Series series = parse_series(kWorkedExample, "example.txt", {});
  Settings settings;
  settings.fit = {FitKind::Power, 2};
  const Expansion expansion = analyse(series, settings);
  const kestrova::PlotFile plot =
      kestrova::parse_plot_file(strain_plot(series, expansion, settings.strain));
  ASSERT_EQ(plot.patterns.size(), 6u);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const kestrova::Pattern& curve = plot.patterns[axis + 3];
    EXPECT_EQ(curve.number, static_cast<int>(axis) + 4);
    EXPECT_EQ(curve.title, concat({"X", std::to_string(axis + 1), "_fit(%)=f(T)"}));
    EXPECT_EQ(curve.unplottable_rows, 0);
    ASSERT_EQ(curve.points.size(), expansion.curves.size());
    ASSERT_GT(curve.points.size(), series.rows.size());
    // It runs over the data's temperatures and passes through the fitted strains there.
    EXPECT_EQ(curve.points.front().x, 120.0);
    EXPECT_EQ(curve.points.back().x, 300.0);
    EXPECT_NEAR(curve.points.front().y, 100.0 * expansion.fitted_strains.back()(axis), 1e-5);
    EXPECT_NEAR(curve.points.back().y, 100.0 * expansion.fitted_strains.front()(axis), 1e-5);
  }
}

}  // namespace
}  // namespace tkx
