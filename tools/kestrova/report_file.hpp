#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrova {

// Writes `content` to `name`: first beside it (the name with ".part" added), then renamed over
// it, so that a reader finds the old file or the new one, never a half-written one. Gives an
// empty text, or what went wrong (the part is removed then).
std::string replace_file(const std::filesystem::path& name, std::string_view content);

}  // namespace kestrova
