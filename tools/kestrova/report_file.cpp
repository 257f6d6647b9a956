#include "report_file.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestrova {

std::string replace_file(const std::filesystem::path& name, std::string_view content) {
  std::filesystem::path part = name;
  part += ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out) return std::strerror(errno != 0 ? errno : EACCES);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(part, ignored);
      return "the disk refused the write";
    }
  }
#ifdef _WIN32
  // MoveFileEx replaces a file that exists, which rename() refuses to do there.
  if (MoveFileExW(part.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return {};
  const std::string failure = std::system_category().message(static_cast<int>(GetLastError()));
#else
  std::error_code error;
  std::filesystem::rename(part, name, error);
  if (!error) return {};
  const std::string failure = error.message();
#endif
  std::error_code ignored;
  std::filesystem::remove(part, ignored);
  return failure;
}

}  // namespace kestrova
