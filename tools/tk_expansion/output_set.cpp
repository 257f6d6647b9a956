#include "output_set.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "text.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tkx {

namespace {

// Puts the finished part in place of the file. Windows' rename() refuses to replace a file
// that exists, so MoveFileEx does it there. Returns 0, or the errno value of the failure.
int replace_file(const std::string& part, const std::string& name) {
#ifdef _WIN32
  if (MoveFileExA(part.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
#else
  return std::rename(part.c_str(), name.c_str()) == 0 ? 0 : errno;
#endif
}

[[noreturn]] void fail(const std::string& name, const char* action, int error) {
  throw std::runtime_error(concat({name, ": cannot ", action, ": ", std::strerror(error)}));
}

// Returns 0, or the error number of the failure.
int write_whole(const std::string& path, const std::string& contents) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return errno;
  errno = 0;
  int error = 0;
  if (std::fwrite(contents.data(), 1, contents.size(), out) != contents.size()) {
    error = errno != 0 ? errno : EIO;
  }
  if (std::fclose(out) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  return error;
}

}  // namespace

void write_files(const std::vector<OutputFile>& files) {
  std::vector<std::string> parts;
  for (const OutputFile& file : files) parts.push_back(file.name + ".part");
  const auto remove_parts = [&parts](std::size_t from) {
    for (std::size_t j = from; j < parts.size(); ++j) std::remove(parts[j].c_str());
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const int error = write_whole(parts[i], files[i].contents); error != 0) {
      remove_parts(0);
      fail(files[i].name, "write", error);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const int error = replace_file(parts[i], files[i].name); error != 0) {
      remove_parts(i);
      fail(files[i].name, "replace", error);
    }
  }
}

}  // namespace tkx
