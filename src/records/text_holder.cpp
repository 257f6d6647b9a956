#include "records/text_holder.hpp"

namespace rqo {

void TextHolder::assign(std::string_view text) {
  const std::size_t kept = text.size() < text_.size() ? text.size() : text_.size();
  text_.replace(0, kept, text.substr(0, kept));
  text_.replace(kept, text_.size() - kept, text_.size() - kept, ' ');
}

std::string_view TextHolder::trimmed() const {
  return trim_trailing_blanks(text_);
}

std::string_view trim_trailing_blanks(std::string_view text) {
  const auto last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

}  // namespace rqo
