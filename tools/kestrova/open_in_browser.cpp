#include "open_in_browser.hpp"

#include <cstdlib>

#include "path_search.hpp"

#ifdef _WIN32
// clang-format off
#include <windows.h>
#include <shellapi.h>  // after windows.h
#include <shlwapi.h>
// clang-format on
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kestrova {

#ifndef _WIN32
namespace {

bool is_set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

}  // namespace
#endif

std::string file_url(const std::filesystem::path& file, std::string_view anchor) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::u8string path = file.generic_u8string();
  std::string url = "file://";
  if (!path.empty() && path.front() != u8'/') url += '/';  // a drive letter: file:///C:/...
  for (const char8_t unit : path) {
    const auto c = static_cast<unsigned char>(unit);
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  if (!anchor.empty()) {
    url += '#';
    url += anchor;
  }
  return url;
}

#ifdef _WIN32

bool can_open_browser() {
  return true;
}

std::wstring wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 1) return {};
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), length);
  result.resize(static_cast<std::size_t>(length - 1));
  return result;
}

bool open_in_browser(const std::string& url) {
  // A file URL given to the shell loses its anchor (the shell makes it a file name), so the
  // program that opens web pages (.html) is asked to open the URL; without one, the shell
  // opens the report itself, at its top.
  wchar_t program[MAX_PATH * 4];
  DWORD length = sizeof program / sizeof program[0];
  const std::wstring address = wide(url);
  if (AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_EXECUTABLE, L".html", L"open", program,
                        &length) == S_OK) {
    const std::wstring argument = L"\"" + address + L"\"";
    const HINSTANCE started =
        ShellExecuteW(nullptr, L"open", program, argument.c_str(), nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) > 32) return true;
  }
  const std::wstring file = wide(url.substr(0, url.find('#')));
  const HINSTANCE opened =
      ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(opened) > 32;
}

#else

bool can_open_browser() {
  return (is_set("DISPLAY") || is_set("WAYLAND_DISPLAY")) && !find_on_path("xdg-open").empty();
}

bool open_in_browser(const std::string& url) {
  // xdg-open may wait for a browser it starts: it runs in a grandchild that nobody waits for,
  // with its output away from the console the plot was asked at.
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    setsid();
    if (fork() == 0) {
      const int null = open("/dev/null", O_RDWR);
      if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
      }
      execlp("xdg-open", "xdg-open", url.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    _exit(0);
  }
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#endif

}  // namespace kestrova
