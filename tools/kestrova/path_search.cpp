#include "path_search.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace kestrova {

namespace {

bool is_executable_file(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
#ifdef _WIN32
  return true;  // Windows has no execute permission; the name's .exe says it
#else
  return access(path.c_str(), X_OK) == 0;
#endif
}

}  // namespace

std::vector<std::string> path_candidates(std::string_view path_value, std::string_view program,
                                         PathStyle style) {
  const bool windows = style == PathStyle::Windows;
  const char separator = windows ? ';' : ':';
  std::vector<std::string> candidates;
  while (true) {
    const auto end = path_value.find(separator);
    std::string_view folder = path_value.substr(0, end);
    if (windows && folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
      folder = folder.substr(1, folder.size() - 2);
    if (!folder.empty() || !windows) {
      std::string candidate(folder.empty() ? std::string_view(".") : folder);
      if (candidate.back() != '/' && !(windows && candidate.back() == '\\'))
        candidate += windows ? '\\' : '/';
      candidate += program;
      candidates.push_back(std::move(candidate));
    }
    if (end == std::string_view::npos) return candidates;
    path_value.remove_prefix(end + 1);
  }
}

std::string find_on_path(std::string_view program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return {};
  for (const std::string& candidate : path_candidates(path, program, kNativePathStyle))
    if (is_executable_file(candidate)) return candidate;
  return {};
}

}  // namespace kestrova
