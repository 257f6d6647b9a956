#include "report_refresh.hpp"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "text.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace tkx {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr const char* kProgram = "kestrova.exe";
constexpr char kPathSeparator = ';';
#else
constexpr const char* kProgram = "kestrova";
constexpr char kPathSeparator = ':';
#endif

fs::path own_folder() {
#ifdef _WIN32
  std::wstring name(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
  if (length == 0 || length >= name.size()) return {};
  name.resize(length);
  return fs::path(name).parent_path();
#else
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self.parent_path();
#endif
}

bool is_program(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return false;
#ifdef _WIN32
  return true;
#else
  return access(path.c_str(), X_OK) == 0;
#endif
}

fs::path find_kestrova() {
  if (const fs::path folder = own_folder(); !folder.empty() && is_program(folder / kProgram)) {
    return folder / kProgram;
  }
  const char* path = std::getenv("PATH");
  std::string_view folders = path == nullptr ? "" : path;
  while (!folders.empty()) {
    const std::size_t end = folders.find(kPathSeparator);
    std::string folder(folders.substr(0, end));
    folders.remove_prefix(end == std::string_view::npos ? folders.size() : end + 1);
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"') {
      folder = folder.substr(1, folder.size() - 2);
    }
    if (!folder.empty() && is_program(fs::path(folder) / kProgram))
      return fs::path(folder) / kProgram;
  }
  return {};
}

// Runs the program with its arguments and waits; the exit status, or -1 when it did not start.
int run(const fs::path& program, const fs::path& folder) {
#ifdef _WIN32
  // Quotes around each argument; a folder name holds no quote and ends without a backslash.
  std::wstring folder_text = folder.wstring();
  while (folder_text.size() > 3 && folder_text.back() == L'\\') folder_text.pop_back();
  std::wstring command = L"\"" + program.wstring() + L"\" --report \"" + folder_text + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(status);
#else
  const std::string program_text = program.string();
  const std::string folder_text = folder.string();
  std::string report = "--report";
  std::vector<char*> argv = {const_cast<char*>(program_text.c_str()), report.data(),
                             const_cast<char*>(folder_text.c_str()), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, program_text.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    return -1;
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
#endif
}

std::string quoted_if_needed(const std::string& text) {
  return text.find_first_of(" \t'\"&;()") == std::string::npos ? text : concat({"\"", text, "\""});
}

}  // namespace

void refresh_report(std::ostream& out) {
  std::error_code error;
  const fs::path folder = fs::current_path(error);
  const std::string folder_text = error ? std::string(".") : folder.string();
  const fs::path kestrova = find_kestrova();
  if (kestrova.empty()) {
    out << "  report      : to refresh the folder's report, run: kestrova --report "
        << quoted_if_needed(folder_text) << "\n"
        << std::flush;
    return;
  }
  out << "  report      : " << quoted_if_needed(kestrova.string()) << " --report "
      << quoted_if_needed(folder_text) << "\n"
      << std::flush;
  const int status = run(kestrova, error ? fs::path(".") : folder);
  if (status != 0) {
    out << "  report      : not refreshed (kestrova "
        << (status < 0 ? std::string("did not start")
                       : concat({"ended with status ", std::to_string(status)}))
        << "); the results above are written\n"
        << std::flush;
  }
}

}  // namespace tkx
