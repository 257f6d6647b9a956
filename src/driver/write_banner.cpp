#include "driver/write_banner.hpp"

#include <array>
#include <string_view>

#include "records/formatted_output.hpp"

namespace rqo {

namespace {
constexpr std::string_view kRule =
    " --------------------------------------------------------------";
constexpr std::string_view kEmpty =
    "                                                               ";
constexpr std::array<std::string_view, 9> kBanner = {
    kRule,
    kEmpty,
    "     . Read TK_quavelon.out files (created by QUAVELON)        ",
    "     . Extract: . input cell parameters (min and max values)   ",
    "                . mosaicity   (min and max values)             ",
    "                . Chi2 values (min and max values)             ",
    kEmpty,
    "     . Collected over the series: one row per temperature      ",
    kRule,
};

constexpr bool all_lines_are_63_wide() {
  for (auto line : kBanner)
    if (line.size() != 63) return false;
  return true;
}
static_assert(all_lines_are_63_wide());
}  // namespace

void write_banner(Console& console) {
  for (auto line : kBanner) write_list(console, {line});
}

}  // namespace rqo
