#include "output/run_plot_command.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace rqo {

#ifdef _WIN32

namespace {

// The system's text for an error code, on one line.
std::string system_message(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 && text != nullptr ? std::string(text, length) : std::string();
  if (text != nullptr) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.'))
    message.pop_back();
  return message.empty() ? "Windows error " + std::to_string(error) : message;
}

}  // namespace

PlotCommandResult run_plot_command(const std::string& command) {
  // Found as Windows finds programs: the tool's own folder, the current folder, the system
  // folders, then PATH. No handle of the tool is inherited.
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      nullptr, &startup, &process)) {
    return PlotCommandResult::not_started("cannot start the plotting program (\"" + command +
                                          "\"): " + system_message(GetLastError()));
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return PlotCommandResult::ran();
}

#else

PlotCommandResult run_plot_command(const std::string& command) {
  // The shell reports a program it cannot find itself; only a shell that cannot be started is
  // left to the caller.
  if (std::system(command.c_str()) == -1) {
    return PlotCommandResult::not_started("cannot start the command interpreter for \"" + command +
                                          "\": " + std::strerror(errno));
  }
  return PlotCommandResult::ran();
}

#endif

}  // namespace rqo
