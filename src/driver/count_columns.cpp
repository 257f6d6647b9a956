#include "driver/count_columns.hpp"

#include <cstddef>

namespace rqo {

namespace {
// The counter looks at no more than this many characters of a line, after its leading blanks.
constexpr std::size_t kWorkLength = 256000;
}  // namespace

int count_columns(std::string_view line) {
  const std::size_t first = line.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;

  // The line without its leading blanks, as far as the counter looks; blanks beyond its end
  // change nothing, so the text is never copied.
  std::string_view work = line.substr(first, kWorkLength);

  // The first double-quoted text is one column: everything up to and including the opening
  // quote is dropped, and counting starts after the closing quote (or at the start of what
  // remains when there is none).
  std::size_t start = 0;
  if (const std::size_t open = work.find('"'); open != std::string_view::npos) {
    work.remove_prefix(open + 1);
    const std::size_t close = work.find('"');
    start = close == std::string_view::npos ? 0 : close + 1;
  }

  const std::size_t last = work.find_last_not_of(' ');
  int count = 1;
  if (last == std::string_view::npos || last < start) return count;
  for (std::size_t j = start == 0 ? 1 : start; j <= last; ++j) {
    if (work[j] != ' ' && work[j - 1] == ' ') ++count;
  }
  return count;
}

}  // namespace rqo
