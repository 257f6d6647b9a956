#pragma once

#include "records/error_policy.hpp"
#include "records/input_file.hpp"
#include "records/io_status.hpp"
#include "records/text_holder.hpp"

namespace rqo {

// Reads the next record with the edit list (A) into the holder: its first length()
// characters, a shorter text filled up with blanks. Returns the status; with
// StatusMode::NotWanted the end of file and read errors go to the policy (serious).
int read_formatted_text(InputFile& file, TextHolder& holder, StatusMode mode, ErrorPolicy& policy);

}  // namespace rqo
