// The quick read of plain decimal reals against the full list-directed reader: where the quick
// read takes a text, the full reader must read it without fault and store the same bits in every
// item; where it declines, it must store nothing.
#include <array>
#include <cstring>

#include "fuzz_support.hpp"
#include "records/error_policy.hpp"
#include "records/list_input.hpp"
#include "records/plain_reals.hpp"

namespace {

constexpr std::size_t kMaxItems = 4;
constexpr float kBefore = 7.0f;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  rqo::fuzz::InputCursor in(data, size);
  const std::size_t count = 1 + in.byte() % kMaxItems;
  const std::string_view text = in.rest();

  std::array<float, kMaxItems> quick, full;
  quick.fill(kBefore);
  full.fill(kBefore);
  std::array<float*, kMaxItems> quick_items;
  std::array<rqo::ListItem, kMaxItems> full_items;
  for (std::size_t i = 0; i < kMaxItems; ++i) {
    quick_items[i] = &quick[i];
    full_items[i] = &full[i];
  }
  if (!rqo::read_plain_reals(text, std::span(quick_items).first(count))) {
    for (const float value : quick)
      if (!rqo::fuzz::same_bits(value, kBefore)) rqo::fuzz::fail("a declined read stored", text);
    return 0;
  }
  rqo::fuzz::NullStream quiet;
  rqo::ErrorPolicy policy(quiet);
  const int status = rqo::read_list(text, std::span(full_items).first(count),
                                    rqo::StatusMode::Wanted, policy, rqo::SourceContext{});
  if (status != rqo::kStatusOk) rqo::fuzz::fail("the full reader failed on a taken text", text);
  if (std::memcmp(quick.data(), full.data(), sizeof quick) != 0)
    rqo::fuzz::fail("the quick read stored other bits", text);
  return 0;
}
