#include "text.hpp"

#include <array>
#include <charconv>

namespace tkx {

std::string fixed_text(double value, int decimals) {
  std::array<char, 400> buffer{};  // room for any finite double
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, decimals);
  std::string text(buffer.data(), result.ptr);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);
  }
  return text;
}

void append_fixed_field(std::string& out, double value, std::size_t width, int decimals) {
  const std::string text = fixed_text(value, decimals);
  if (text.size() > width) {
    out.append(width, '*');
  } else {
    out.append(width - text.size(), ' ').append(text);
  }
}

std::string short_text(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, 15);
  return std::string(buffer.data(), result.ptr);
}

std::string escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      out.push_back(c);
    } else {
      out.append("\\x").push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 0xF]);
    }
  }
  return out;
}

}  // namespace tkx
