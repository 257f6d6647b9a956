#pragma once

#include "records/condition.hpp"

namespace rqo {

// The I/O status of an input statement: 0 success, otherwise the status of the condition that
// ended it (records/condition.hpp): -1 at the end of the file, positive for an error.
inline constexpr int kStatusOk = 0;
inline constexpr int kStatusEnd = status_of(Condition::EndOfFile);
inline constexpr int kStatusBadReal = status_of(Condition::BadCharacterInReal);
inline constexpr int kStatusQuotedReal = status_of(Condition::QuotedReal);
inline constexpr int kStatusReadError = status_of(Condition::ReadFailed);

// Whether a statement asks for its status (then nothing is reported and the caller decides)
// or leaves failures to the error policy.
enum class StatusMode { Wanted, NotWanted };

}  // namespace rqo
