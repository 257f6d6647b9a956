#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rqo {

// Line feeds are looked for this many bytes at a time.
inline constexpr std::size_t kLineFeedChunk = 64;

// Bit i set when byte i of the 64 bytes at `p` is an LF. Walking the set bits of one mask
// after another finds the records of a buffer with a shift and a bit count each.
inline std::uint64_t line_feed_mask(const char* p) {
#if defined(__SSE2__)
  const __m128i lf = _mm_set1_epi8('\n');
  const auto part = [&](int i) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    return static_cast<std::uint64_t>(
        static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf))));
  };
  return part(0) | part(1) << 16 | part(2) << 32 | part(3) << 48;
#else
  std::uint64_t mask = 0;
  for (std::size_t i = 0; i < kLineFeedChunk; ++i) {
    if (p[i] == '\n') mask |= std::uint64_t{1} << i;
  }
  return mask;
#endif
}

}  // namespace rqo
