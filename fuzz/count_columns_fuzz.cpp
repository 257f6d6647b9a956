// The column counter against a plain, step-by-step version of the counting rules that works on
// a real 256000-character work copy. The input may be widened by a long run of one character in
// its middle, so that lines beyond the work copy's length are met too.
#include <string>
#include <string_view>

#include "driver/count_columns.hpp"
#include "fuzz_support.hpp"

namespace {

constexpr std::size_t kWorkLength = 256000;

// `padded_length` is the work copy's length; padding blanks beyond the text change nothing, so
// short lines use a short copy (the fuzzer runs much faster) and long ones the real length.
int reference_count(std::string_view line, std::size_t padded_length) {
  if (line.find_first_not_of(' ') == std::string_view::npos) return 0;
  // Work copy: leading blanks removed, padded with blanks or cut to its length.
  std::string work(padded_length, ' ');
  const std::string_view text = line.substr(line.find_first_not_of(' '));
  work.replace(0, std::min(text.size(), padded_length), text.substr(0, padded_length));

  int count = 1;
  std::size_t start = 0;  // 0-based
  const std::size_t open = work.find('"');
  if (open != std::string::npos) {
    work = work.substr(open + 1) + std::string(open + 1, ' ');
    const std::size_t close = work.find('"');
    start = close == std::string::npos ? 0 : close + 1;
  }
  const std::size_t last = work.find_last_not_of(' ');
  if (last == std::string::npos || last < start) return count;
  for (std::size_t j = start; j <= last; ++j) {
    if (work[j] != ' ' && j != 0 && work[j - 1] == ' ') ++count;
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  rqo::fuzz::InputCursor in(data, size);
  const unsigned char shape = in.byte();
  std::string line(in.rest());
  if (shape == 0xff) {
    // A run of copies of one character, inserted in the middle: a short one, or one that
    // brings the line near the work copy's length.
    const std::size_t high = in.byte();
    const std::size_t low = in.byte();
    const std::size_t run = (high & 1) != 0 ? 255000 + 8 * low : (high << 8 | low) % 2000;
    const char fill = "  x\"\t,"[in.byte() % 6];
    line = std::string(in.rest());
    line.insert(line.size() / 2, std::string(run, fill));
  }
  const std::size_t padded_length = line.size() < kWorkLength ? line.size() + 1 : kWorkLength;
  const int expected = reference_count(line, padded_length);
  const int actual = rqo::count_columns(line);
  if (actual != expected) {
    rqo::fuzz::fail("column count differs from the reference",
                    "expected " + std::to_string(expected) + ", actual " + std::to_string(actual) +
                        ", line [" + line.substr(0, 300) + "]");
  }
  return 0;
}
