#pragma once

#include <span>
#include <string_view>

namespace rqo {

// The quick form of a list-directed read of reals: when the record holds, after optional blanks,
// one plain decimal number per item (an optional sign, digits with an optional decimal point,
// no exponent, at most seven significant digits' worth of mantissa), separated by blanks, and
// the last followed by a blank, a comma, a slash or the record's end, stores them and returns
// true. Anything else returns false with nothing stored; the full reader (read_list) then reads
// the record. Where this returns true, read_list stores the same bits.
bool read_plain_reals(std::string_view record, std::span<float* const> items);

}  // namespace rqo
