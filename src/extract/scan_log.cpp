#include "extract/scan_log.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "records/io_status.hpp"
#include "records/line_prefix_filter.hpp"
#include "records/list_input.hpp"
#include "records/plain_reals.hpp"

namespace rqo {

namespace {

// Every record is seen through a line of this many characters, blank-padded on the right.
constexpr std::size_t kLineLength = 256;

enum class Quantity { A, B, C, Alpha, Beta, Gamma, Chi2X, Chi2Y, Chi2Rotation, Mosaicity };

struct Keyword {
  std::string_view text;  // compared over its whole length with the start of the line
  Quantity quantity;
};

// No keyword is a prefix of another (checked below), so at most one can match a line.
constexpr std::array<Keyword, 10> kKeywords{{
    {"A axis length", Quantity::A},
    {"B axis length", Quantity::B},
    {"C axis length", Quantity::C},
    {"alpha cell angle", Quantity::Alpha},
    {"beta cell angle", Quantity::Beta},
    {"gamma cell angle", Quantity::Gamma},
    {"chi**2 x", Quantity::Chi2X},
    {"chi**2 y", Quantity::Chi2Y},
    {"chi**2 rotation", Quantity::Chi2Rotation},
    {"mosaicity", Quantity::Mosaicity},
}};

// The reader passes over, unseen, the records that cannot begin with a keyword.
constexpr auto kKeywordTexts = [] {
  std::array<std::string_view, kKeywords.size()> texts;
  for (std::size_t k = 0; k < kKeywords.size(); ++k) texts[k] = kKeywords[k].text;
  return texts;
}();
constexpr LinePrefixFilter kKeywordFilter(kKeywordTexts);

static_assert(std::ranges::none_of(kKeywords, [](const Keyword& a) {
  return std::ranges::any_of(
      kKeywords, [&](const Keyword& b) { return &a != &b && b.text.starts_with(a.text); });
}));

// The keyword that begins the left-adjusted line, or nullptr. Only lines the filter let
// through come here (keyword lines and a few that look like them), so a plain walk will do.
const Keyword* match_keyword(std::string_view adjusted) {
  for (const Keyword& keyword : kKeywords) {
    if (adjusted.front() == keyword.text.front() && adjusted.starts_with(keyword.text))
      return &keyword;
  }
  return nullptr;
}

struct Destination {
  float* minimum;
  float* maximum;
};

Destination destination_of(Quantity quantity, RunRecord& run) {
  switch (quantity) {
    case Quantity::A:
      return {&run.cell_min.a, &run.cell_max.a};
    case Quantity::B:
      return {&run.cell_min.b, &run.cell_max.b};
    case Quantity::C:
      return {&run.cell_min.c, &run.cell_max.c};
    case Quantity::Alpha:
      return {&run.cell_min.alpha, &run.cell_max.alpha};
    case Quantity::Beta:
      return {&run.cell_min.beta, &run.cell_max.beta};
    case Quantity::Gamma:
      return {&run.cell_min.gamma, &run.cell_max.gamma};
    case Quantity::Chi2X:
      return {&run.chi2_min[kChi2X], &run.chi2_max[kChi2X]};
    case Quantity::Chi2Y:
      return {&run.chi2_min[kChi2Y], &run.chi2_max[kChi2Y]};
    case Quantity::Chi2Rotation:
      return {&run.chi2_min[kChi2Rotation], &run.chi2_max[kChi2Rotation]};
    case Quantity::Mosaicity:
      return {&run.mosa_min, &run.mosa_max};
  }
  return {&run.mosa_min, &run.mosa_max};
}

// Reads the minimum and the maximum from the text after the line's first colon (the whole
// line when it holds none), blank-padded to the end of the 256-character line. The read asks
// for no status: an early end or a bad value is the error policy's to report.
void read_values(std::string_view adjusted, Destination target, ErrorPolicy& policy,
                 const SourceContext& where) {
  const std::size_t colon = adjusted.find(':');
  const std::size_t start = colon == std::string_view::npos ? 0 : colon + 1;
  // Most value texts are two plain decimal numbers: read at once, with the same bits.
  const std::array<float*, 2> plain{target.minimum, target.maximum};
  if (read_plain_reals(adjusted.substr(start), plain)) return;
  std::array<char, kLineLength> value_text;
  const std::size_t used = adjusted.size() - start;
  std::copy_n(adjusted.data() + start, used, value_text.data());
  std::fill(value_text.begin() + static_cast<std::ptrdiff_t>(used),
            value_text.begin() + static_cast<std::ptrdiff_t>(kLineLength - start), ' ');
  const std::array<ListItem, 2> items{target.minimum, target.maximum};
  read_list(std::string_view(value_text.data(), kLineLength - start), items, StatusMode::NotWanted,
            policy, where);
}

}  // namespace

void scan_log(InputFile& log, RunRecord& run, ErrorPolicy& policy) {
  log.rewind();
  std::string_view record;
  // An end of file or a read error ends the scan quietly, keeping what was stored.
  while (log.read_record_if(record, kLineLength, kKeywordFilter) == kStatusOk) {
    // Left-adjust over blanks only (a tab stays); the blank padding is implicit.
    std::size_t first = 0;
    while (first < record.size() && record[first] == ' ') ++first;
    if (first == record.size()) continue;
    const std::string_view adjusted = record.substr(first);
    const Keyword* keyword = match_keyword(adjusted);
    if (keyword == nullptr) continue;
    const SourceContext where{log.name(), log.record_number()};
    read_values(adjusted, destination_of(keyword->quantity, run), policy, where);
  }
}

}  // namespace rqo
