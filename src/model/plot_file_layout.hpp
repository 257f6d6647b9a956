#pragma once

#include <cstdint>
#include <string_view>

// The layout of a plot file, shared by the tool that writes plot files and the plotting
// program that reads them: the labels that begin its header lines and the marker that each
// pattern number selects.
namespace rqo::plot_layout {

inline constexpr std::string_view kMainLegend = "# MAIN LEGEND TEXT: ";
inline constexpr std::string_view kXLegend = "# X LEGEND TEXT   : ";
inline constexpr std::string_view kYLegend = "# Y LEGEND TEXT   : ";
inline constexpr std::string_view kPatternCount = "# NUMBER OF PATTERNS: ";
inline constexpr std::string_view kPatternNumber = "# >>>>>>>> PATTERN #: ";
inline constexpr std::string_view kTitle = "#             TITLE : ";
inline constexpr std::string_view kPoints = "#  NUMBER OF POINTS : ";
inline constexpr std::string_view kMarker = "#            MARKER : ";
inline constexpr std::string_view kSize = "#              SIZE : ";
inline constexpr std::string_view kData = "#   DATA: X Y";
inline constexpr std::string_view kEnd = "# END OF FILE";

// Every data row: temperature, then the value, in fields of these widths.
inline constexpr std::size_t kTemperatureWidth = 6;
inline constexpr std::size_t kValueWidth = 20;

// The X legend of every plot file of the series.
inline constexpr std::string_view kTemperatureLegend = "Temperature (K)";

// The marker code and size that pattern numbers 1, 2 and 3 select; other numbers select none
// (the previous marker stays).
struct Marker {
  std::int32_t code;
  std::int32_t size;
};
inline constexpr Marker kPatternMarkers[] = {{1, 2}, {4, 2}, {6, 2}};

}  // namespace rqo::plot_layout
