// Edit lists are checked when the code is built: with one of the MISUSE_ macros defined this
// file must not compile (tests/CMakeLists.txt expects the message of each); with none, it does.

#include <cstdint>
#include <string>

#include "records/formatted_output.hpp"

void misuse(std::string& record) {
#if defined(MISUSE_F_GIVEN_INTEGER)
  rqo::format_record<"(F6.2)">(record, std::int32_t{1});
#elif defined(MISUSE_F_GIVEN_DOUBLE)
  rqo::format_record<"(F6.2)">(record, 1.0);
#elif defined(MISUSE_I_GIVEN_FLOAT)
  rqo::format_record<"(A,I6)">(record, "points", 1.0f);
#elif defined(MISUSE_A_GIVEN_FLOAT)
  rqo::format_record<"(A)">(record, 1.0f);
#elif defined(MISUSE_TOO_MANY_VALUES)
  rqo::format_record<"(2X,F6.2)">(record, 1.0f, 2.0f);
#elif defined(MISUSE_MALFORMED_LIST)
  rqo::format_record<"(F6)">(record, 1.0f);
#else
  rqo::format_record<"(A,F6.2,2X,I6)">(record, "t", 1.0f, std::int32_t{2});
#endif
}
