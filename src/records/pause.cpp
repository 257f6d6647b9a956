#include "records/pause.hpp"

#include <string>

namespace rqo {

void pause(Console& console) {
  // The record's first character is the carriage control: the pending line break is written,
  // then the text, whose own line break stays pending until the next record or the exit.
  console.write_record(" Press Enter to Continue.");
  console.flush();
  if (!console.interactive()) return;
  std::string ignored;
  console.read_line(ignored);
}

}  // namespace rqo
