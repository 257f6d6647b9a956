#include "strain_plot.hpp"

#include <initializer_list>
#include <string_view>

#include "model/plot_file_layout.hpp"
#include "number_text.hpp"

namespace tkx {

namespace {

namespace layout = rqo::plot_layout;

constexpr std::string_view kEol = "\r\n";

void append_line(std::string& out, std::initializer_list<std::string_view> pieces) {
  for (const std::string_view piece : pieces) out.append(piece);
  out.append(kEol);
}

}  // namespace

std::string strain_mode_text(const StrainSettings& settings) {
  return concat({settings.kind == StrainKind::Eulerian ? "Eulerian" : "Lagrangian",
                 settings.finite ? " finite" : " infinitesimal"});
}

std::string strain_plot(const Series& series, const Expansion& expansion,
                        const StrainSettings& settings) {
  const std::size_t count = series.rows.size();
  std::string points;
  append_fixed_field(points, static_cast<double>(count), layout::kPointsWidth, 0);
  std::string out;
  out.reserve(400 + 3 * (200 + 28 * count));
  append_line(out, {layout::kMainLegend, series.title.empty() ? series.file : series.title});
  append_line(out, {layout::kXLegend, layout::kTemperatureLegend});
  append_line(out, {layout::kYLegend, "Principal strain (%), ", strain_mode_text(settings)});
  append_line(out, {layout::kPatternCount, "3"});
  append_line(out, {std::string(1, layout::kRulerMark), std::string(layout::kRulerDashes, '-')});
  for (int i = 0; i < 3; ++i) {
    const std::string number = std::to_string(i + 1);
    append_line(out, {layout::kPatternNumber, number});
    append_line(out, {layout::kTitle, "X", number, "_strain(%)=f(T)"});
    append_line(out, {layout::kPoints, points});
    append_line(out, {layout::kMarker, std::to_string(layout::kPatternMarkers[i].code)});
    append_line(out, {layout::kSize, std::to_string(layout::kPatternMarkers[i].size)});
    append_line(out, {layout::kData});
    for (std::size_t n = 0; n < count; ++n) {
      append_fixed_field(out, series.rows[n].t, layout::kTemperatureWidth,
                         layout::kTemperatureDecimals);
      append_fixed_field(out, 100.0 * expansion.strains[n](i), layout::kValueWidth,
                         layout::kValueDecimals);
      out.append(kEol);
    }
  }
  append_line(out, {layout::kEnd});
  return out;
}

}  // namespace tkx
