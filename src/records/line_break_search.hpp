#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rqo {

// Finds the CR and LF bytes of a buffer in order. The buffer is classified 64 bytes at a time
// into a bit mask of its line breaks, and the mask of the current 64 bytes is kept, so that
// finding the next break after a short line usually costs a shift and a bit count.
class LineBreakFinder {
 public:
  static constexpr std::size_t kChunk = 64;

  // Starts on new contents. Bytes up to `size` rounded up to a multiple of kChunk must be
  // readable (their values beyond `size` do not matter).
  void reset(const char* data, std::size_t size) {
    data_ = data;
    size_ = size;
    chunk_ = kNoChunk;
    breaks_ = 0;
  }

  // The position of the first CR or LF at or after `from`, or size() when there is none.
  std::size_t next(std::size_t from) {
    if (from >= size_) return size_;
    const std::size_t chunk = from - from % kChunk;
    if (chunk != chunk_) load(chunk);
    std::uint64_t pending = breaks_ & (~std::uint64_t{0} << (from - chunk));
    while (pending == 0) {
      if (chunk_ + kChunk >= size_) return size_;
      load(chunk_ + kChunk);
      pending = breaks_;
    }
    return chunk_ + static_cast<std::size_t>(std::countr_zero(pending));
  }

  std::size_t size() const { return size_; }

 private:
  static constexpr std::size_t kNoChunk = ~std::size_t{0};

  void load(std::size_t chunk) {
    chunk_ = chunk;
    breaks_ = classify(data_ + chunk);
    if (const std::size_t valid = size_ - chunk; valid < kChunk)
      breaks_ &= (std::uint64_t{1} << valid) - 1;
  }

  // Bit i set when byte i of the 64 bytes at `p` is CR or LF.
  static std::uint64_t classify(const char* p) {
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::uint64_t mask = 0;
    for (int part = 0; part < 4; ++part) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
      const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
      mask |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(hits)))
              << (16 * part);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (std::size_t i = 0; i < kChunk; ++i) {
      if (p[i] == '\r' || p[i] == '\n') mask |= std::uint64_t{1} << i;
    }
    return mask;
#endif
  }

  const char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t chunk_ = kNoChunk;  // start of the chunk whose mask is in breaks_
  std::uint64_t breaks_ = 0;
};

}  // namespace rqo
