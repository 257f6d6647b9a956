#pragma once

#include <fcntl.h>

namespace rqo {

// Flags for every open(): files are read and written byte for byte (binary mode on Windows,
// where text mode would turn LF into CR LF and end a read at a Ctrl-Z byte), and no program
// that the tool starts inherits them.
#ifdef _WIN32
inline constexpr int kOpenFlags = O_BINARY | O_NOINHERIT;
#else
inline constexpr int kOpenFlags = O_CLOEXEC;
#endif

}  // namespace rqo
