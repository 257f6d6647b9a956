#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace rqo {

// Tells at a glance whether a text may begin with one of a few prefixes. For each first
// character it keeps the part (at most eight characters) that all the prefixes beginning with
// that character share, and compares it with the text's first eight bytes in one step. A text
// that begins with a prefix always passes; one that passes may still begin with none (the
// caller compares in full).
class LinePrefixFilter {
 public:
  static constexpr std::size_t kWordLength = sizeof(std::uint64_t);

  // Prefixes hold at least one character and no NUL.
  constexpr explicit LinePrefixFilter(std::span<const std::string_view> prefixes) {
    std::array<std::size_t, 256> shared{};  // characters shared so far, 0 for no prefix
    std::array<std::string_view, 256> first_of{};
    for (const std::string_view prefix : prefixes) {
      const auto c = static_cast<unsigned char>(prefix.front());
      const std::size_t length = prefix.size() < kWordLength ? prefix.size() : kWordLength;
      if (shared[c] == 0) {
        shared[c] = length;
        first_of[c] = prefix;
        continue;
      }
      std::size_t same = 0;
      while (same < shared[c] && same < length && first_of[c][same] == prefix[same]) ++same;
      shared[c] = same;
    }
    for (std::size_t c = 0; c < 256; ++c) {
      mask_[c] = 0;
      word_[c] = 1;  // no word masked with 0 equals 1: the character begins no prefix
      if (shared[c] == 0) continue;
      word_[c] = 0;
      for (std::size_t i = 0; i < shared[c]; ++i) {
        mask_[c] |= std::uint64_t{0xFF} << shift_of(i);
        word_[c] |= std::uint64_t{static_cast<unsigned char>(first_of[c][i])} << shift_of(i);
      }
    }
  }

  // Whether the text at `p` may begin with a prefix; eight bytes at `p` must be readable
  // (those past the text's end only cause a pass now and then).
  bool may_begin(const char* p) const {
    std::uint64_t word;
    std::memcpy(&word, p, kWordLength);
    const auto c = static_cast<unsigned char>(*p);
    return (word & mask_[c]) == word_[c];
  }

  // The same for a text of any length.
  bool may_begin(std::string_view text) const {
    if (text.empty()) return false;
    char bytes[kWordLength] = {};
    std::memcpy(bytes, text.data(), text.size() < kWordLength ? text.size() : kWordLength);
    return may_begin(bytes);
  }

 private:
  // Where byte i of a word loaded from memory sits.
  static constexpr unsigned shift_of(std::size_t i) {
    return static_cast<unsigned>(std::endian::native == std::endian::little ? 8 * i : 8 * (7 - i));
  }

  std::array<std::uint64_t, 256> mask_{};
  std::array<std::uint64_t, 256> word_{};
};

}  // namespace rqo
