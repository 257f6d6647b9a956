#pragma once

#include <string>
#include <string_view>

#include "report_input.hpp"

namespace kestrova {

// What the report page carries besides the data: the plotting library, the page's own script
// that draws from the data, and its style sheet.
struct PageParts {
  std::string_view library;
  std::string_view script;
  std::string_view style;
};

// The whole report page: one HTML file that needs nothing else. Its bytes depend on the files'
// names and texts only (no folder, no clock), so the same files give the same page anywhere.
std::string report_html(const ReportInput& input, const PageParts& parts);

// Whether a field of a file is a number (what the report plots).
bool is_number(std::string_view text);

}  // namespace kestrova
