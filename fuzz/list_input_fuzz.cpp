// List-directed reads of texts and reals. From a text value: the read with its status wanted and
// the same read left to the error policy must agree on the status and on every item, and texts
// must keep their holders' lengths. From the console: any sequence of lines, the end of input
// included, must end in a value or in the policy's stop.
#include <array>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "records/console.hpp"
#include "records/error_policy.hpp"
#include "records/list_input.hpp"
#include "records/program_stop.hpp"
#include "records/text_holder.hpp"

namespace {

constexpr std::size_t kMaxItems = 12;

struct Items {
  std::vector<rqo::TextHolder> texts;
  std::array<float, kMaxItems> reals{};
  std::vector<rqo::ListItem> list;

  // Bit i of `kinds` makes item i a text holder of a length taken from `lengths`.
  Items(std::size_t count, unsigned kinds, unsigned char lengths) {
    texts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      if (kinds & (1U << i)) {
        texts.emplace_back(1 + (lengths + 7 * i) % 70);
        texts.back().assign("previous");
        list.emplace_back(&texts.back());
      } else {
        reals[i] = 7.0f + static_cast<float>(i);
        list.emplace_back(&reals[i]);
      }
    }
  }
};

bool same_items(const Items& a, const Items& b) {
  if (std::memcmp(a.reals.data(), b.reals.data(), sizeof a.reals) != 0) return false;
  for (std::size_t i = 0; i < a.texts.size(); ++i)
    if (a.texts[i].view() != b.texts[i].view()) return false;
  return true;
}

void check_lengths(const Items& items) {
  for (std::size_t i = 0, t = 0; i < items.list.size(); ++i) {
    if (!std::holds_alternative<rqo::TextHolder*>(items.list[i])) continue;
    const rqo::TextHolder& holder = items.texts[t++];
    if (holder.view().size() != holder.length()) rqo::fuzz::fail("a text holder changed length");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  rqo::fuzz::InputCursor in(data, size);
  const std::size_t count = 1 + in.byte() % kMaxItems;
  const unsigned high_kinds = in.byte();
  const unsigned kinds = high_kinds << 4 | in.byte();
  const unsigned char lengths = in.byte();
  const bool from_console = (lengths & 0x80) != 0;
  const std::string_view text = in.rest();

  if (!from_console) {
    Items wanted(count, kinds, lengths);
    Items policed(count, kinds, lengths);
    rqo::fuzz::NullStream quiet;
    rqo::ErrorPolicy policy(quiet);
    const rqo::SourceContext where{"fuzz", 1};
    const int status_wanted =
        rqo::read_list(text, wanted.list, rqo::StatusMode::Wanted, policy, where);
    if (policy.count(rqo::Condition::EndOfInternalFile) + policy.count(rqo::Condition::QuotedReal) +
            policy.count(rqo::Condition::BadCharacterInReal) !=
        0)
      rqo::fuzz::fail("a read with its status wanted reported to the policy");
    int status_policed = 0;
    try {
      status_policed =
          rqo::read_list(text, policed.list, rqo::StatusMode::NotWanted, policy, where);
    } catch (const rqo::ProgramStop&) {
      rqo::fuzz::fail("a single failed read from a text value ended the program");
    }
    if (status_wanted != status_policed) rqo::fuzz::fail("status differs with the policy");
    if (status_wanted < -1 || status_wanted > 2) rqo::fuzz::fail("unknown status");
    if (!same_items(wanted, policed)) rqo::fuzz::fail("items differ with the policy");
    check_lengths(wanted);
    return 0;
  }

  // The console: the input split into lines at LF, possibly without a final one.
  Items items(count, kinds, lengths);
  std::istringstream keyboard{std::string(text)};
  std::ostringstream screen;
  std::ostringstream diagnostics;
  rqo::Console console(screen, keyboard, false);
  rqo::ErrorPolicy policy(diagnostics);
  try {
    const int status = rqo::read_list(console, items.list, rqo::StatusMode::NotWanted, policy);
    if (status == rqo::kStatusEnd) rqo::fuzz::fail("the console's end of input was not fatal");
  } catch (const rqo::ProgramStop& stop) {
    if (stop.reason != rqo::StopReason::Fatal) rqo::fuzz::fail("a stop with an unexpected code");
    if (diagnostics.str().rfind("read_quavelon_out: ", 0) != 0)
      rqo::fuzz::fail("a stop without its diagnostic");
  }
  if (!screen.str().empty()) rqo::fuzz::fail("a read wrote to the screen");
  check_lengths(items);
  return 0;
}
