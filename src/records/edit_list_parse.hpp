#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/edit_descriptor.hpp"

namespace rqo {

// Bounds on the expanded length and on any number, so that a mistyped repeat count cannot
// exhaust memory.
inline constexpr std::size_t kMaxEditDescriptors = std::size_t{1} << 20;
inline constexpr int kMaxEditNumber = 1'000'000;

// Throws std::invalid_argument naming the text, the reason and the column.
[[noreturn]] void reject_edit_list(std::string_view text, const char* why, std::size_t column);

// The grammar of edit lists: "(" item {"," item} ")", where an item is [r]Fw.d, [r]Iw, [r]A,
// [r]Aw, nX or r(items); blanks are ignored anywhere, letters may be of either case. Repeats
// are expanded into `out`, which offers size(), append(descriptor, count) and
// repeat_tail(from, times): append `times` more copies of its descriptors from `from` on.
// All constexpr: the same code parses literals at compile time and texts at run time.
template <typename Out>
class EditListGrammar {
 public:
  constexpr EditListGrammar(std::string_view text, Out& out) : text_(text), out_(out) {}

  constexpr void parse_whole() {
    skip_blanks();
    if (next() != '(') malformed("'(' expected");
    parse_group_body();
    skip_blanks();
    if (pos_ != text_.size()) malformed("text after the closing parenthesis");
  }

 private:
  // After an opening parenthesis: items separated by commas, up to the closing one.
  constexpr void parse_group_body() {
    skip_blanks();
    if (peek() == ')') malformed("empty parentheses");
    for (;;) {
      parse_item();
      skip_blanks();
      const char c = next();
      if (c == ')') return;
      if (c != ',') malformed("',' or ')' expected");
    }
  }

  constexpr void parse_item() {
    skip_blanks();
    const bool has_count = is_digit(peek());
    const int count = has_count ? parse_number() : 1;
    if (count == 0) malformed("a repeat count of zero");
    skip_blanks();
    switch (upper(next())) {
      case '(': {
        const std::size_t from = out_.size();
        parse_group_body();
        const auto times = static_cast<std::uint64_t>(count - 1);
        if (out_.size() + (out_.size() - from) * times > kMaxEditDescriptors)
          malformed("list too long");
        out_.repeat_tail(from, static_cast<std::size_t>(times));
        return;
      }
      case 'F': {
        EditDescriptor d{EditKind::Fixed};
        d.width = parse_width();
        skip_blanks();
        if (next() != '.') malformed("'.' expected in Fw.d");
        skip_blanks();
        if (!is_digit(peek())) malformed("decimals expected in Fw.d");
        d.decimals = parse_number();
        repeat(d, count);
        return;
      }
      case 'I':
        repeat(EditDescriptor{EditKind::Integer, parse_width()}, count);
        return;
      case 'A':
        skip_blanks();
        if (is_digit(peek())) {
          repeat(EditDescriptor{EditKind::TextWidth, parse_width()}, count);
        } else {
          repeat(EditDescriptor{EditKind::Text}, count);
        }
        return;
      case 'X':
        // The count of nX is the number of columns, not a repetition.
        repeat(EditDescriptor{EditKind::Skip, count}, 1);
        return;
      default:
        malformed("unknown edit descriptor");
    }
  }

  constexpr int parse_width() {
    skip_blanks();
    if (!is_digit(peek())) malformed("field width expected");
    const int width = parse_number();
    if (width == 0) malformed("a field width of zero");
    return width;
  }

  constexpr int parse_number() {
    int value = 0;
    while (is_digit(peek())) {
      value = value * 10 + (next() - '0');
      if (value > kMaxEditNumber) malformed("number too large");
      skip_blanks();
    }
    return value;
  }

  constexpr void repeat(const EditDescriptor& d, int count) {
    if (out_.size() + static_cast<std::size_t>(count) > kMaxEditDescriptors)
      malformed("list too long");
    out_.append(d, static_cast<std::size_t>(count));
  }

  constexpr void skip_blanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  constexpr char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  constexpr char next() { return pos_ < text_.size() ? text_[pos_++] : '\0'; }
  static constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }
  static constexpr char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }

  // Not constexpr: reaching it while a literal is parsed at compile time stops the build, at
  // the line that says what is wrong.
  [[noreturn]] void malformed(const char* why) const { reject_edit_list(text_, why, pos_ + 1); }

  std::string_view text_;
  Out& out_;
  std::size_t pos_ = 0;
};

// Parses `text` into `out` (see EditListGrammar).
template <typename Out>
constexpr void parse_edit_list(std::string_view text, Out& out) {
  EditListGrammar<Out>(text, out).parse_whole();
}

// An output of the grammar that only counts the descriptors.
class DescriptorCount {
 public:
  constexpr std::size_t size() const { return size_; }
  constexpr void append(const EditDescriptor&, std::size_t count) { size_ += count; }
  constexpr void repeat_tail(std::size_t from, std::size_t times) {
    size_ += (size_ - from) * times;
  }

 private:
  std::size_t size_ = 0;
};

}  // namespace rqo
