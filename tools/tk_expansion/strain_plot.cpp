#include "strain_plot.hpp"

#include <initializer_list>
#include <string_view>

#include "number_text.hpp"

namespace tkx {

namespace {

constexpr std::string_view kEol = "\r\n";
constexpr int kMarkers[3] = {1, 4, 6};  // marker codes of pattern numbers 1, 2, 3
constexpr int kMarkerSize = 2;

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
  append_fixed_field(points, static_cast<double>(count), 8, 0);
  std::string out;
  out.reserve(400 + 3 * (200 + 28 * count));
  append_line(out, {"# MAIN LEGEND TEXT: ", series.title.empty() ? series.file : series.title});
  append_line(out, {"# X LEGEND TEXT   : Temperature (K)"});
  append_line(out, {"# Y LEGEND TEXT   : Principal strain (%), ", strain_mode_text(settings)});
  append_line(out, {"# NUMBER OF PATTERNS: 3"});
  append_line(out, {"#", std::string(50, '-')});
  for (int i = 0; i < 3; ++i) {
    const std::string number = std::to_string(i + 1);
    append_line(out, {"# >>>>>>>> PATTERN #: ", number});
    append_line(out, {"#             TITLE : X", number, "_strain(%)=f(T)"});
    append_line(out, {"#  NUMBER OF POINTS : ", points});
    append_line(out, {"#            MARKER : ", std::to_string(kMarkers[i])});
    append_line(out, {"#              SIZE : ", std::to_string(kMarkerSize)});
    append_line(out, {"#   DATA: X Y"});
    for (std::size_t n = 0; n < count; ++n) {
      append_fixed_field(out, series.rows[n].t, 6, 2);
      append_fixed_field(out, 100.0 * expansion.strains[n](i), 20, 5);
      out.append(kEol);
    }
  }
  append_line(out, {"# END OF FILE"});
  return out;
}

}  // namespace tkx
