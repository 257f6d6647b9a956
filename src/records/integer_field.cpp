#include "records/integer_field.hpp"

#include <cstring>

namespace rqo {

void render_integer(char* out, std::int32_t value, int width) {
  if (width <= 0) return;
  const bool negative = value < 0;
  // The magnitude of the most negative value does not fit a signed 32-bit integer.
  std::uint32_t magnitude =
      negative ? 0U - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  char digits[10];
  int count = 0;
  do {
    digits[sizeof digits - 1 - count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  const int needed = count + (negative ? 1 : 0);
  if (needed > width) {
    std::memset(out, '*', static_cast<std::size_t>(width));
    return;
  }
  char* p = out;
  std::memset(p, ' ', static_cast<std::size_t>(width - needed));
  p += width - needed;
  if (negative) *p++ = '-';
  std::memcpy(p, digits + sizeof digits - count, static_cast<std::size_t>(count));
}

}  // namespace rqo
