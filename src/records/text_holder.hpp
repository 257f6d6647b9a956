#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rqo {

// A text value of fixed length. Storing a text cuts it to the holder's length or fills the
// rest with blanks, so the holder always holds exactly length() characters.
class TextHolder {
 public:
  explicit TextHolder(std::size_t length) : text_(length, ' ') {}

  void assign(std::string_view text);
  std::size_t length() const { return text_.size(); }
  std::string_view view() const { return text_; }
  // The text without its trailing blanks.
  std::string_view trimmed() const;

 private:
  std::string text_;
};

// The text without its trailing blanks (code 32 only).
std::string_view trim_trailing_blanks(std::string_view text);

}  // namespace rqo
