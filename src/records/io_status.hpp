#pragma once

namespace rqo {

// The I/O status of an input statement: 0 success, -1 end of file, positive an error.
inline constexpr int kStatusOk = 0;
inline constexpr int kStatusEnd = -1;
inline constexpr int kStatusBadReal = 1;     // a character that cannot belong to a number
inline constexpr int kStatusQuotedReal = 2;  // a quoted value given for a real
inline constexpr int kStatusReadError = 3;   // the system failed to read the file

// Whether a statement asks for its status (then nothing is reported and the caller decides)
// or leaves failures to the error policy.
enum class StatusMode { Wanted, NotWanted };

}  // namespace rqo
