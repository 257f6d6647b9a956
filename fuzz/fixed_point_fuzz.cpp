// Fw.d rendering of any bit pattern under any field: the production renderer must give the same
// text as the slow exact reference, and its digit extraction the same digits as the standard
// library's expansion.
#include <bit>
#include <cstdint>
#include <string>

#include "fuzz_support.hpp"
#include "records/fixed_point.hpp"
#include "support/exact_fixed.hpp"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  rqo::fuzz::InputCursor in(data, size);
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits = (bits << 8) | in.byte();
  const int width = 1 + in.byte() % 80;
  const int decimals = in.byte() % 41;
  const float x = std::bit_cast<float>(bits);

  std::string field(static_cast<std::size_t>(width) + 8, '#');
  rqo::render_fixed(field.data(), x, width, decimals);
  if (field.compare(static_cast<std::size_t>(width), 8, "########") != 0)
    rqo::fuzz::fail("render_fixed wrote beyond its field");
  field.resize(static_cast<std::size_t>(width));
  const std::string expected = rqo::testing::exact_fixed(x, width, decimals);
  if (field != expected) {
    rqo::fuzz::fail("render_fixed differs from the exact reference",
                    "F" + std::to_string(width) + "." + std::to_string(decimals) + " bits " +
                        std::to_string(bits) + "\nexpected [" + expected + "]\nactual   [" + field +
                        "]");
  }

  const std::uint32_t magnitude_bits = bits & 0x7fffffffU;
  if (magnitude_bits != 0 && magnitude_bits < 0x7f800000U) {
    const float magnitude = std::bit_cast<float>(magnitude_bits);
    const rqo::LeadingDigits fast = rqo::leading_digits(magnitude);
    const rqo::LeadingDigits slow = rqo::leading_digits_reference(magnitude);
    if (fast.digits != slow.digits || fast.exponent != slow.exponent)
      rqo::fuzz::fail("leading_digits differs from its reference", std::to_string(bits));
  }
  return 0;
}
