#include "driver/derive_title.hpp"

namespace rqo {

namespace {
std::string_view drop_leading_blanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}
}  // namespace

void derive_title(std::string_view first_line, TextHolder& title) {
  // The holder's length bounds what is seen of the line before any adjusting.
  std::string_view text = drop_leading_blanks(first_line.substr(0, title.length()));
  if (!text.empty() && text.front() == '!') text = drop_leading_blanks(text.substr(1));
  title.assign(text);
}

}  // namespace rqo
