#pragma once

#include <span>
#include <string_view>
#include <variant>

#include "records/console.hpp"
#include "records/error_policy.hpp"
#include "records/io_status.hpp"
#include "records/text_holder.hpp"

namespace rqo {

// One item of a list-directed read: a text holder or a single-precision real.
using ListItem = std::variant<TextHolder*, float*>;

// Where a read takes place, for the error policy's messages.
struct SourceContext {
  std::string_view file;  // file name, or a description such as "console"
  long line = 0;          // line number, 0 when unknown
};

// List-directed read from a text value used as a one-record internal file. Returns the
// status; with StatusMode::NotWanted, failures are also handed to the policy (which may end
// the program by throwing ProgramStop).
int read_list(std::string_view record, std::span<const ListItem> items, StatusMode mode,
              ErrorPolicy& policy, const SourceContext& where);

// List-directed read from the console: a used-up record continues with the next line; a line
// of blanks and tabs gives no value. The console's end of input is a serious condition.
int read_list(Console& console, std::span<const ListItem> items, StatusMode mode,
              ErrorPolicy& policy);

}  // namespace rqo
