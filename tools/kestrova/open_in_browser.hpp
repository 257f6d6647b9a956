#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrova {

// Whether a browser can be shown: always on Windows; on Linux when a graphical session is
// present (DISPLAY or WAYLAND_DISPLAY set) and xdg-open is on the PATH.
bool can_open_browser();

// The file URL of `file` (an absolute path) with `anchor` as its fragment; every byte other
// than a letter, digit or one of "-._~/" percent-encoded.
std::string file_url(const std::filesystem::path& file, std::string_view anchor);

// Asks the system to open `url` in the default browser, without waiting for it (Windows:
// ShellExecuteW "open" of the program that opens .html files, given the URL; Linux: xdg-open,
// started on its own). False when the request could not be made.
bool open_in_browser(const std::string& url);

}  // namespace kestrova
