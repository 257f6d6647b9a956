#pragma once

#include <string>
#include <string_view>

namespace kestrova {

// Appends `text` as a JSON string that is safe inside an HTML script element: quotes,
// backslashes and control characters escaped, and '<', '>' and '&' as \u escapes, so that
// no "</script>" can end the element early.
void append_json_string(std::string& out, std::string_view text);

// Appends `text` as HTML text or attribute value: '&', '<', '>' and '"' as references.
void append_html_text(std::string& out, std::string_view text);

}  // namespace kestrova
