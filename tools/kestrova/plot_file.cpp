#include "plot_file.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

#include "model/plot_file_layout.hpp"
#include "platform/concat.hpp"

namespace kestrova {

namespace {

using namespace rqo::plot_layout;
using rqo::platform::concat;

std::string_view trim_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// Splits the text into lines; a CR before the LF belongs to the line ending.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}

  bool at_end() const { return position_ >= text_.size(); }
  long number() const { return number_; }

  // The next line, or throws when the file has ended.
  std::string_view next(std::string_view wanted) {
    if (at_end())
      throw FormatError(number_ + 1, concat({"file ends where ", wanted, " was expected"}));
    return take();
  }

  std::string_view peek() const {
    Lines copy = *this;
    return copy.take();
  }

  std::string_view take() {
    const auto end = text_.find('\n', position_);
    std::string_view line = text_.substr(
        position_, end == std::string_view::npos ? std::string_view::npos : end - position_);
    position_ = end == std::string_view::npos ? text_.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number_;
    return line;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
  long number_ = 0;
};

std::string_view after_label(Lines& lines, std::string_view label) {
  const std::string_view line = lines.next(concat({"\"", label, "\""}));
  if (line.substr(0, label.size()) != label) {
    throw FormatError(lines.number(), concat({"expected a line beginning with \"", label,
                                              "\", found \"", line.substr(0, 60), "\""}));
  }
  return line.substr(label.size());
}

long integer_after_label(Lines& lines, std::string_view label) {
  const std::string_view text = trim_blanks(after_label(lines, label));
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 0) {
    throw FormatError(lines.number(), concat({"\"", text, "\" after \"", trim_blanks(label),
                                              "\" is not a non-negative integer"}));
  }
  return value;
}

enum class FieldKind { Number, Unplottable };

// A fixed-point field: a number, or (overflow asterisks, NaN, Inf) nothing to plot.
FieldKind parse_field(std::string_view field, long line, double& value) {
  const std::string_view text = trim_blanks(field);
  if (!text.empty() && text.find_first_not_of('*') == std::string_view::npos) {
    return FieldKind::Unplottable;
  }
  if (text == "NaN" || text == "-NaN" || text == "Inf" || text == "-Inf") {
    return FieldKind::Unplottable;
  }
  const std::string copy(text);
  char* end = nullptr;
  value = std::strtod(copy.c_str(), &end);
  if (copy.empty() || copy.find_first_not_of("+-.0123456789") != std::string::npos ||
      end != copy.c_str() + copy.size() || !std::isfinite(value)) {
    throw FormatError(line, concat({"\"", copy, "\" is not a number"}));
  }
  return FieldKind::Number;
}

void read_rows(Lines& lines, Pattern& pattern) {
  while (!lines.at_end() && !lines.peek().starts_with("#")) {
    const std::string_view row = lines.take();
    if (row.size() != kRowWidth) {
      throw FormatError(lines.number(), "a data row has " + std::to_string(row.size()) +
                                            " characters instead of " + std::to_string(kRowWidth));
    }
    Point point{};
    const bool plottable =
        parse_field(row.substr(0, kTemperatureWidth), lines.number(), point.x) ==
            FieldKind::Number &&
        parse_field(row.substr(kTemperatureWidth), lines.number(), point.y) == FieldKind::Number;
    if (plottable) {
      point.x_text = trim_blanks(row.substr(0, kTemperatureWidth));
      point.y_text = trim_blanks(row.substr(kTemperatureWidth));
      pattern.points.push_back(std::move(point));
    } else {
      ++pattern.unplottable_rows;
    }
    const long rows = static_cast<long>(pattern.points.size()) + pattern.unplottable_rows;
    if (rows > pattern.announced_points) {
      throw FormatError(lines.number(),
                        "pattern " + std::to_string(pattern.number) + " has more rows than the " +
                            std::to_string(pattern.announced_points) + " points it announces");
    }
  }
}

Pattern read_pattern(Lines& lines) {
  Pattern pattern;
  pattern.number = static_cast<int>(integer_after_label(lines, kPatternNumber));
  pattern.title = std::string(trim_blanks(after_label(lines, kTitle)));
  pattern.announced_points = integer_after_label(lines, kPoints);
  pattern.marker = static_cast<int>(integer_after_label(lines, kMarker));
  pattern.size = static_cast<int>(integer_after_label(lines, kSize));
  if (lines.next(concat({"\"", kData, "\""})) != kData) {
    throw FormatError(lines.number(), concat({"expected \"", kData, "\""}));
  }
  read_rows(lines, pattern);
  return pattern;
}

}  // namespace

PlotFile parse_plot_file(std::string_view text) {
  Lines lines(text);
  PlotFile plot;
  plot.main_legend = std::string(trim_blanks(after_label(lines, kMainLegend)));
  plot.x_legend = std::string(trim_blanks(after_label(lines, kXLegend)));
  plot.y_legend = std::string(trim_blanks(after_label(lines, kYLegend)));
  const long pattern_count = integer_after_label(lines, kPatternCount);
  const std::string_view ruler = lines.next("the header ruler");
  if (ruler.size() < 2 || ruler[0] != '#' ||
      ruler.find_first_not_of('-', 1) != std::string_view::npos) {
    throw FormatError(lines.number(), "expected the header ruler (\"#\" followed by \"-\")");
  }

  while (true) {
    if (lines.at_end()) {
      throw FormatError(lines.number(),
                        "the file ends without \"# END OF FILE\" (incomplete plot file)");
    }
    if (lines.peek() == kEnd) break;
    plot.patterns.push_back(read_pattern(lines));
  }
  lines.take();
  while (!lines.at_end()) {
    if (!trim_blanks(lines.take()).empty()) {
      throw FormatError(lines.number(), "text after \"# END OF FILE\"");
    }
  }
  if (static_cast<long>(plot.patterns.size()) != pattern_count) {
    throw FormatError(lines.number(), "the file announces " + std::to_string(pattern_count) +
                                          " patterns but holds " +
                                          std::to_string(plot.patterns.size()));
  }
  return plot;
}

}  // namespace kestrova
