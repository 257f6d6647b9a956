#ifdef _WIN32

#include "support/windows_process.hpp"

#include <gtest/gtest.h>
#include <windows.h>

// After windows.h, which it builds on.
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "platform/utf8_text.hpp"

namespace rqo::testing {

namespace {

HANDLE inheritable(const std::filesystem::path& path, bool write) {
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                     write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// A command line as the system passes it on: UTF-8 when it is valid UTF-8 (so a name in UTF-8
// arrives as a user's drag-and-drop gives it), in the ANSI code page otherwise.
std::wstring widened(const std::string& text) {
  const UINT code_page = platform::is_utf8(text) ? CP_UTF8 : CP_ACP;
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// Changes PATH for as long as it lives (the child takes this environment).
class ChangedPath {
 public:
  explicit ChangedPath(const PathChange& change) {
    if (change.kind == PathChange::Kind::None) return;
    const char* path = std::getenv("PATH");
    old_ = path != nullptr ? path : "";
    active_ = true;
    const std::string value =
        change.kind == PathChange::Kind::Prefix ? change.value + ";" + old_ : change.value;
    SetEnvironmentVariableA("PATH", value.c_str());
  }
  ~ChangedPath() {
    if (active_) SetEnvironmentVariableA("PATH", old_.c_str());
  }

 private:
  std::string old_;
  bool active_ = false;
};

}  // namespace

WindowsRun run_windows_program(const std::string& command_line,
                               const std::filesystem::path& directory,
                               const std::filesystem::path& in, const std::filesystem::path& out,
                               const std::filesystem::path& err, const PathChange& path,
                               const std::string& kill_when_shown) {
  HANDLE input = INVALID_HANDLE_VALUE;
  HANDLE held_input = INVALID_HANDLE_VALUE;  // the pipe's end kept open while the program runs
  if (!kill_when_shown.empty()) {
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    if (!CreatePipe(&input, &held_input, &security, 0))
      throw std::runtime_error("cannot make a pipe");
    SetHandleInformation(held_input, HANDLE_FLAG_INHERIT, 0);
    const std::string content = read_file(in);
    DWORD written = 0;
    WriteFile(held_input, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  } else if (!in.empty()) {
    input = inheritable(in, false);
  }
  HANDLE output = inheritable(out, true);
  HANDLE error = inheritable(err, true);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = error;
  PROCESS_INFORMATION process{};
  std::wstring line = widened(command_line);
  const std::wstring folder = directory.wstring();
  const auto start = std::chrono::steady_clock::now();
  BOOL started;
  DWORD start_error = 0;
  {
    const ChangedPath changed(path);
    // Under wine a process start fails now and then with the system's own error while the
    // machine is loaded; such a start is tried once more, and said so on standard error.
    for (int attempt = 0; attempt < 2; ++attempt) {
      started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                               folder.c_str(), &startup, &process);
      if (started) break;
      start_error = GetLastError();
      std::fprintf(stderr, "start of %s failed with system error %lu%s\n", command_line.c_str(),
                   static_cast<unsigned long>(start_error), attempt == 0 ? ": retried" : "");
      Sleep(200);
    }
  }
  for (HANDLE handle : {input, output, error})
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  if (!started)
    throw std::runtime_error("cannot start " + command_line + " (system error " +
                             std::to_string(start_error) + ")");
  if (kill_when_shown.empty()) {
    WaitForSingleObject(process.hProcess, INFINITE);
  } else {
    while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
      if (read_file(out).find(kill_when_shown) == std::string::npos) continue;
      TerminateProcess(process.hProcess, 1);
      WaitForSingleObject(process.hProcess, INFINITE);
    }
    CloseHandle(held_input);
  }
  WindowsRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  run.exit_code = static_cast<int>(code);
  PROCESS_MEMORY_COUNTERS memory{};
  if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory)))
    run.peak_memory_kb = static_cast<long>(memory.PeakWorkingSetSize / 1024);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

std::string quoted(const std::string& text) {
  std::string out(1, '"');
  out += text;
  out += '"';
  return out;
}

std::string from_windows_lines(const std::string& text, const char* what) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
      ADD_FAILURE() << what << ": a line end without its CR at byte " << i;
    lines += text[i];
  }
  return lines;
}

}  // namespace rqo::testing

#endif
