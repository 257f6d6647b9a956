#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <string_view>

namespace rqo::fuzz {

// A stream that drops everything (diagnostics the fuzzers do not look at).
class NullStream : public std::ostream {
 public:
  NullStream() : std::ostream(&buffer_) {}

 private:
  struct DropAll : std::streambuf {
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
  } buffer_;
};

// Stops the run with a readable reason; libFuzzer saves the input as a crash.
[[noreturn]] inline void fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n%.*s\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

inline bool same_bits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Takes bytes off the front of the fuzz input.
class InputCursor {
 public:
  InputCursor(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

  unsigned char byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }
  std::string_view rest() const {
    return std::string_view(reinterpret_cast<const char*>(data_), size_);
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
};

}  // namespace rqo::fuzz
