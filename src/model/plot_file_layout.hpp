#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The layout of a plot file, shared by the tool that writes plot files and the plotting
// program that reads them: the labels that begin its header lines, the fields of its numbers
// and the marker that each pattern number selects.
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

// The header's last line is its ruler: the mark followed by this many dashes.
inline constexpr char kRulerMark = '#';
inline constexpr std::size_t kRulerDashes = 50;

// The pattern count, a pattern's number, marker code and size follow their labels as one
// digit; the number of points in a field of this width.
inline constexpr std::size_t kPointsWidth = 8;

// Every data row: temperature, then the value, in fixed-point fields of these widths and
// decimals.
inline constexpr std::size_t kTemperatureWidth = 6;
inline constexpr int kTemperatureDecimals = 2;
inline constexpr std::size_t kValueWidth = 20;
inline constexpr int kValueDecimals = 5;
inline constexpr std::size_t kRowWidth = kTemperatureWidth + kValueWidth;

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
