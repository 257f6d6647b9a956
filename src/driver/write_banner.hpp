#pragma once

#include "records/console.hpp"

namespace rqo {

// The nine banner lines shown when the program starts.
void write_banner(Console& console);

}  // namespace rqo
