#pragma once

#include "records/console.hpp"

namespace rqo {

// Writes the pending line break and "Press Enter to Continue."; waits for a line only when
// keyboard and screen are both terminals.
void pause(Console& console);

}  // namespace rqo
