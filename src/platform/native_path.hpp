#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace rqo::platform {

// A file name as the programs receive it (from a run list, the console or the command line) as
// the system's own path. On Windows a name that is valid UTF-8 is read as UTF-8 and any other
// in the ANSI code page, and a long name (from 248 characters) takes the "\\?\" form, so that
// names in any script and of any length reach the wide file API. Elsewhere the bytes pass as
// they are.
std::filesystem::path native_path(std::string_view name);

// std::fopen of a name as above (the mode as for std::fopen; use the binary modes).
std::FILE* open_file(std::string_view name, const char* mode);

// True when the name is an existing file (not a directory), as the existence tests of the
// programs ask; false on any error.
bool is_existing_file(std::string_view name);

}  // namespace rqo::platform
