#include "output_set.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/native_path.hpp"
#include "text.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tkx {

namespace {

namespace fs = std::filesystem;

// Moves `from` over `to`. Windows' rename() refuses to replace a file that exists, so
// MoveFileEx does it there. Returns 0, or the errno value of the failure.
int move_file(const std::string& from, const std::string& to) {
#ifdef _WIN32
  const fs::path source = rqo::platform::native_path(from);
  const fs::path target = rqo::platform::native_path(to);
  if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  const DWORD error = GetLastError();
  return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ? EACCES : EIO;
#else
  std::error_code error;
  fs::rename(rqo::platform::native_path(from), rqo::platform::native_path(to), error);
  return error.value();
#endif
}

void remove_file(const std::string& name) {
  std::error_code ignored;
  fs::remove(rqo::platform::native_path(name), ignored);
}

// Returns 0, or the error number of the failure.
int write_whole(const std::string& name, const std::string& contents) {
  std::FILE* out = rqo::platform::open_file(name, "wb");
  if (out == nullptr) return errno != 0 ? errno : EIO;
  errno = 0;
  int error = 0;
  if (std::fwrite(contents.data(), 1, contents.size(), out) != contents.size()) {
    error = errno != 0 ? errno : EIO;
  }
  if (std::fclose(out) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  return error;
}

[[noreturn]] void fail(const std::string& name, const char* action, int error) {
  throw std::runtime_error(concat({name, ": cannot ", action, ": ", std::strerror(error),
                                   "; the folder keeps its previous result files"}));
}

// How far one file has got towards its place.
struct Placement {
  std::string name, part, old;
  bool set_aside = false;  // the previous file is at `old`
  bool placed = false;     // the new file is at `name`
};

// Takes the placed files back and puts the previous ones in their place again.
void restore(std::vector<Placement>& placements) {
  for (Placement& p : placements) {
    if (p.placed) remove_file(p.name);
    if (p.set_aside) move_file(p.old, p.name);
    remove_file(p.part);
  }
}

}  // namespace

void write_files(const std::vector<OutputFile>& files) {
  std::vector<Placement> placements;
  for (const OutputFile& file : files) {
    placements.push_back({file.name, file.name + ".part", file.name + ".old"});
  }
  // A name held by something that is not a file (a folder) cannot take the new one.
  for (const Placement& p : placements) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(rqo::platform::native_path(p.name), error);
    if (fs::exists(status) && !fs::is_regular_file(status)) fail(p.name, "replace", EISDIR);
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const int error = write_whole(placements[i].part, files[i].contents); error != 0) {
      restore(placements);
      fail(files[i].name, "write", error);
    }
  }
  for (Placement& p : placements) {
    if (rqo::platform::is_existing_file(p.name)) {
      if (const int error = move_file(p.name, p.old); error != 0) {
        restore(placements);
        fail(p.name, "replace", error);
      }
      p.set_aside = true;
    }
    if (const int error = move_file(p.part, p.name); error != 0) {
      restore(placements);
      fail(p.name, "replace", error);
    }
    p.placed = true;
  }
  for (const Placement& p : placements) {
    if (p.set_aside) remove_file(p.old);
  }
}

}  // namespace tkx
