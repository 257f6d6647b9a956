#include "records/edit_list.hpp"

#include <cctype>
#include <stdexcept>
#include <string>

namespace rqo {

namespace {

// A bound on the expanded length, so that a mistyped repeat count cannot exhaust memory.
constexpr std::size_t kMaxDescriptors = 1 << 20;
constexpr int kMaxNumber = 1'000'000;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::vector<EditDescriptor> parse_whole() {
    std::vector<EditDescriptor> result;
    expect('(');
    parse_group_body(result);
    skip_blanks();
    if (pos_ != text_.size()) fail("text after the closing parenthesis");
    return result;
  }

 private:
  // After an opening parenthesis: items separated by commas, up to the closing one.
  void parse_group_body(std::vector<EditDescriptor>& out) {
    skip_blanks();
    if (peek() == ')') fail("empty parentheses");
    for (;;) {
      parse_item(out);
      skip_blanks();
      const char c = next();
      if (c == ')') return;
      if (c != ',') fail("',' or ')' expected");
    }
  }

  void parse_item(std::vector<EditDescriptor>& out) {
    skip_blanks();
    const bool has_count = is_digit(peek());
    const int count = has_count ? parse_number() : 1;
    if (count == 0) fail("a repeat count of zero");
    skip_blanks();
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(next())));
    switch (letter) {
      case '(': {
        std::vector<EditDescriptor> group;
        parse_group_body(group);
        for (int i = 0; i < count; ++i) append(out, group);
        return;
      }
      case 'F': {
        EditDescriptor d{EditKind::Fixed};
        d.width = parse_width();
        skip_blanks();
        if (next() != '.') fail("'.' expected in Fw.d");
        skip_blanks();
        if (!is_digit(peek())) fail("decimals expected in Fw.d");
        d.decimals = parse_number();
        repeat(out, d, count);
        return;
      }
      case 'I':
        repeat(out, EditDescriptor{EditKind::Integer, parse_width()}, count);
        return;
      case 'A': {
        skip_blanks();
        if (is_digit(peek())) {
          repeat(out, EditDescriptor{EditKind::TextWidth, parse_width()}, count);
        } else {
          repeat(out, EditDescriptor{EditKind::Text}, count);
        }
        return;
      }
      case 'X':
        // The count of nX is the number of columns, not a repetition.
        repeat(out, EditDescriptor{EditKind::Skip, count}, 1);
        return;
      default:
        fail("unknown edit descriptor");
    }
  }

  int parse_width() {
    skip_blanks();
    if (!is_digit(peek())) fail("field width expected");
    const int width = parse_number();
    if (width == 0) fail("a field width of zero");
    return width;
  }

  int parse_number() {
    int value = 0;
    while (is_digit(peek())) {
      value = value * 10 + (next() - '0');
      if (value > kMaxNumber) fail("number too large");
      skip_blanks();
    }
    return value;
  }

  void repeat(std::vector<EditDescriptor>& out, const EditDescriptor& d, int count) {
    if (out.size() + static_cast<std::size_t>(count) > kMaxDescriptors) fail("list too long");
    out.insert(out.end(), static_cast<std::size_t>(count), d);
  }

  void append(std::vector<EditDescriptor>& out, const std::vector<EditDescriptor>& group) {
    if (out.size() + group.size() > kMaxDescriptors) fail("list too long");
    out.insert(out.end(), group.begin(), group.end());
  }

  void expect(char c) {
    skip_blanks();
    if (next() != c) fail(std::string("'") + c + "' expected");
  }

  void skip_blanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  char next() { return pos_ < text_.size() ? text_[pos_++] : '\0'; }
  static bool is_digit(char c) { return c >= '0' && c <= '9'; }

  [[noreturn]] void fail(const std::string& why) const {
    throw std::invalid_argument("edit list \"" + std::string(text_) + "\": " + why + " at column " +
                                std::to_string(pos_ + 1));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

EditList EditList::parse(std::string_view text) {
  EditList list;
  list.descriptors_ = Parser(text).parse_whole();
  return list;
}

}  // namespace rqo
