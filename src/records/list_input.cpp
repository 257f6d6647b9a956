#include "records/list_input.hpp"

#include <charconv>
#include <cstdlib>
#include <string>

namespace rqo {

namespace {

constexpr std::size_t kShownTextLength = 80;  // longest piece of input quoted in a message

bool is_blank(char c) {
  return c == ' ' || c == '\t';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool ends_unquoted_value(char c) {
  return is_blank(c) || c == ',' || c == '/';
}

// Reads a real written as an optional sign, digits with an optional decimal point and an
// optional exponent (E, e, D or d, then an optionally signed integer). Anything else, words
// such as NaN or Inf included, is not a number. The value is rounded once, to the nearest
// single-precision number; a magnitude beyond the range gives an infinity or zero.
bool parse_real(std::string_view token, float& out) {
  const std::size_t n = token.size();
  std::size_t i = 0;
  if (i < n && (token[i] == '+' || token[i] == '-')) ++i;
  std::size_t mantissa_digits = 0;
  while (i < n && is_digit(token[i])) ++i, ++mantissa_digits;
  if (i < n && token[i] == '.') {
    ++i;
    while (i < n && is_digit(token[i])) ++i, ++mantissa_digits;
  }
  if (mantissa_digits == 0) return false;
  std::size_t exponent_letter = n;
  if (i < n) {
    const char c = token[i];
    if (c != 'E' && c != 'e' && c != 'D' && c != 'd') return false;
    exponent_letter = i++;
    if (i < n && (token[i] == '+' || token[i] == '-')) ++i;
    std::size_t exponent_digits = 0;
    while (i < n && is_digit(token[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0 || i != n) return false;
  }

  // The converter takes no leading plus sign and no D: clean a copy (on the stack unless the
  // text is unusually long).
  char small[128];
  std::string large;
  char* buffer = small;
  if (n + 1 > sizeof small) {
    large.resize(n + 1);
    buffer = large.data();
  }
  std::size_t k = 0;
  for (std::size_t j = token[0] == '+' ? 1 : 0; j < n; ++j) {
    buffer[k++] = j == exponent_letter ? 'e' : token[j];
  }
  buffer[k] = '\0';
  float value = 0.0f;
  const auto result = std::from_chars(buffer, buffer + k, value);
  if (result.ec == std::errc::result_out_of_range) {
    value = std::strtof(buffer, nullptr);  // the correctly rounded infinity or (sub)normal
  } else if (result.ec != std::errc{} || result.ptr != buffer + k) {
    return false;
  }
  out = value;
  return true;
}

enum class ValueKind { Null, Plain, Quoted };

struct Value {
  ValueKind kind = ValueKind::Null;
  std::string_view text;  // without delimiters; doubled delimiters not yet undone
  char delimiter = '\0';  // of a quoted value
  bool has_doubled = false;
};

enum class Step { Value, Slash, End, Bad };

// Takes records apart value by value. A text value is one record; at the console a used-up
// record continues with the next line.
class ListReader {
 public:
  ListReader(std::string_view record, Console* console, std::string* line, StatusMode mode,
             ErrorPolicy& policy, const SourceContext& where)
      : record_(record),
        console_(console),
        line_(line),
        mode_(mode),
        policy_(policy),
        where_(where) {}

  int read(std::span<const ListItem> items) {
    long repeat_left = 0;
    Value repeated;
    for (std::size_t index = 0; index < items.size(); ++index) {
      const ListItem& item = items[index];
      // Whatever follows the value for the last item is never looked at.
      last_item_ = index + 1 == items.size();
      Value value;
      if (repeat_left > 0) {
        value = repeated;
        --repeat_left;
      } else {
        long repeat = 1;
        switch (next_value(value, repeat)) {
          case Step::Value:
            break;
          case Step::Slash:
            return kStatusOk;
          case Step::End:
            return end_of_input();
          case Step::Bad:
            return bad_value(Condition::BadCharacterInReal, bad_text_,
                             "a value that cannot be read");
        }
        repeated = value;
        repeat_left = repeat - 1;
      }
      const int status = store(value, item);
      if (status != kStatusOk) return status;
    }
    return kStatusOk;
  }

 private:
  bool at_end() const { return pos_ >= record_.size(); }

  void skip_blanks() {
    while (!at_end() && is_blank(record_[pos_])) ++pos_;
  }

  // Moves to the next console line; false at the end of the internal file or of the input.
  bool next_record() {
    if (console_ == nullptr) return false;
    if (!console_->read_line(*line_)) return false;
    record_ = *line_;
    pos_ = 0;
    return true;
  }

  // After a value: blanks, then at most one comma. A slash is left for the next value.
  void eat_separator() {
    if (last_item_) return;
    skip_blanks();
    if (!at_end() && record_[pos_] == ',') ++pos_;
  }

  Step next_value(Value& value, long& repeat) {
    skip_blanks();
    while (at_end()) {
      if (!next_record()) return Step::End;
      skip_blanks();
    }
    const char c = record_[pos_];
    if (c == '/') return Step::Slash;
    if (c == ',') {  // after a comma, first in a record: a null value
      ++pos_;
      value.kind = ValueKind::Null;
      return Step::Value;
    }

    // r*c or r*: r copies of c, or r null values.
    std::size_t digits_end = pos_;
    while (digits_end < record_.size() && is_digit(record_[digits_end])) ++digits_end;
    if (digits_end > pos_ && digits_end < record_.size() && record_[digits_end] == '*') {
      long count = 0;
      for (std::size_t j = pos_; j < digits_end; ++j) {
        count = count > 100000000 ? count : count * 10 + (record_[j] - '0');
      }
      if (count == 0) {
        bad_text_ = record_.substr(pos_, digits_end + 1 - pos_);
        return Step::Bad;
      }
      repeat = count;
      pos_ = digits_end + 1;
      if (at_end() || ends_unquoted_value(record_[pos_])) {
        value.kind = ValueKind::Null;
        eat_separator();
        return Step::Value;
      }
    }

    const char first = record_[pos_];
    if (first == '\'' || first == '"') return quoted_value(value, first);
    const std::size_t start = pos_;
    while (!at_end() && !ends_unquoted_value(record_[pos_])) ++pos_;
    value.kind = ValueKind::Plain;
    value.text = record_.substr(start, pos_ - start);
    eat_separator();
    return Step::Value;
  }

  // A value between apostrophes or quotation marks; a doubled delimiter stands for one. A
  // value left open runs to the end of the record.
  Step quoted_value(Value& value, char delimiter) {
    const std::size_t start = ++pos_;
    value.kind = ValueKind::Quoted;
    value.delimiter = delimiter;
    value.has_doubled = false;
    for (;;) {
      if (at_end()) {
        value.text = record_.substr(start);
        return Step::Value;
      }
      if (record_[pos_] == delimiter) {
        if (pos_ + 1 < record_.size() && record_[pos_ + 1] == delimiter) {
          value.has_doubled = true;
          pos_ += 2;
          continue;
        }
        break;
      }
      ++pos_;
    }
    value.text = record_.substr(start, pos_ - start);
    ++pos_;
    if (!at_end() && !ends_unquoted_value(record_[pos_])) {
      // Text glued to the closing delimiter: not a value of any kind.
      std::size_t stop = pos_;
      while (stop < record_.size() && !ends_unquoted_value(record_[stop])) ++stop;
      bad_text_ = record_.substr(start - 1, stop - start + 1);
      return Step::Bad;
    }
    eat_separator();
    return Step::Value;
  }

  int store(const Value& value, const ListItem& item) {
    if (value.kind == ValueKind::Null) return kStatusOk;
    if (TextHolder* const* holder = std::get_if<TextHolder*>(&item)) {
      if (value.kind == ValueKind::Quoted && value.has_doubled) {
        undoubled_.clear();
        for (std::size_t j = 0; j < value.text.size(); ++j) {
          undoubled_ += value.text[j];
          if (value.text[j] == value.delimiter) ++j;
        }
        (*holder)->assign(undoubled_);
      } else {
        (*holder)->assign(value.text);
      }
      return kStatusOk;
    }
    float* real = std::get<float*>(item);
    if (value.kind == ValueKind::Quoted) {
      std::string quoted(1, value.delimiter);
      quoted.append(value.text);
      quoted.push_back(value.delimiter);
      return bad_value(Condition::QuotedReal, quoted, "a quoted value given for a real");
    }
    if (!parse_real(value.text, *real)) {
      return bad_value(Condition::BadCharacterInReal, value.text,
                       "a character that cannot belong to a number in the real value");
    }
    return kStatusOk;
  }

  std::string place() const {
    std::string text;
    if (!where_.file.empty()) {
      text += " (";
      text += where_.file;
      if (where_.line > 0) {
        text += ", line ";
        text += std::to_string(where_.line);
      }
      text += ')';
    }
    return text;
  }

  static std::string shown(std::string_view text) {
    std::string quoted = "\"";
    quoted += text.substr(0, kShownTextLength);
    if (text.size() > kShownTextLength) quoted += "...";
    quoted += '"';
    return quoted;
  }

  int bad_value(Condition condition, std::string_view text, const char* description) {
    const int status = status_of(condition);
    if (mode_ == StatusMode::NotWanted) {
      std::string what = description;
      what += ": ";
      what += shown(text);
      what += place();
      policy_.report(condition, what);
    }
    return status;
  }

  int end_of_input() {
    if (mode_ == StatusMode::NotWanted) {
      if (console_ != nullptr) {
        policy_.report(Condition::EndOfFile, "end of file: no further line on standard input");
      } else {
        policy_.report(Condition::EndOfInternalFile,
                       "the value text " + shown(trim_trailing_blanks(record_)) +
                           " ended before all values were read" + place());
      }
    }
    return kStatusEnd;
  }

  std::string_view record_;
  std::size_t pos_ = 0;
  Console* console_;
  std::string* line_;
  StatusMode mode_;
  ErrorPolicy& policy_;
  const SourceContext& where_;
  bool last_item_ = false;
  std::string_view bad_text_;
  std::string undoubled_;
};

}  // namespace

int read_list(std::string_view record, std::span<const ListItem> items, StatusMode mode,
              ErrorPolicy& policy, const SourceContext& where) {
  ListReader reader(record, nullptr, nullptr, mode, policy, where);
  return reader.read(items);
}

int read_list(Console& console, std::span<const ListItem> items, StatusMode mode,
              ErrorPolicy& policy) {
  static const SourceContext kConsole{"standard input", 0};
  std::string line;
  ListReader reader(std::string_view{}, &console, &line, mode, policy, kConsole);
  return reader.read(items);
}

}  // namespace rqo
