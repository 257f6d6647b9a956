#include "records/formatted_input.hpp"

#include <cerrno>
#include <cstring>
#include <string>

namespace rqo {

int read_formatted_text(InputFile& file, TextHolder& holder, StatusMode mode, ErrorPolicy& policy) {
  std::string_view text;
  const int status = file.read_record(text, holder.length());
  if (status == kStatusOk) {
    holder.assign(text);
    return status;
  }
  if (mode == StatusMode::Wanted) return status;
  if (status == kStatusEnd) {
    policy.report(Condition::EndOfFile, "end of file: no further record in " + file.name() +
                                            " after line " + std::to_string(file.record_number()));
  } else {
    const int error = errno;
    policy.report(Condition::ReadFailed, "cannot read " + file.name() + " at line " +
                                             std::to_string(file.record_number() + 1) + ": " +
                                             std::strerror(error));
  }
  return status;
}

}  // namespace rqo
