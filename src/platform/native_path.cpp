#include "platform/native_path.hpp"

#include <string>
#include <system_error>

#include "platform/utf8_text.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace rqo::platform {

#ifdef _WIN32
namespace {

std::wstring widen(std::string_view name) {
  if (name.empty()) return {};
  const UINT code_page = is_utf8(name) ? CP_UTF8 : CP_ACP;
  const int size = static_cast<int>(name.size());
  const int length = MultiByteToWideChar(code_page, 0, name.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, name.data(), size, wide.data(), length);
  return wide;
}

// Names from 248 characters on (the limit for a folder name) are made absolute and given the
// "\\?\" prefix, which lifts the length limit on every Windows version.
std::wstring long_form(std::wstring wide) {
  constexpr std::size_t kShortLimit = 248;
  if (wide.size() < kShortLimit || wide.starts_with(L"\\\\?\\")) return wide;
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) return wide;
  full.resize(written);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::wstring widen_mode(const char* mode) {
  std::wstring wide;
  for (; *mode != '\0'; ++mode) wide += static_cast<wchar_t>(*mode);
  return wide;
}

}  // namespace

std::filesystem::path native_path(std::string_view name) {
  return long_form(widen(name));
}

std::FILE* open_file(std::string_view name, const char* mode) {
  return _wfopen(native_path(name).c_str(), widen_mode(mode).c_str());
}

#else

std::filesystem::path native_path(std::string_view name) {
  return std::string(name);
}

std::FILE* open_file(std::string_view name, const char* mode) {
  return std::fopen(std::string(name).c_str(), mode);
}

#endif

bool is_existing_file(std::string_view name) {
  if (name.empty()) return false;
  std::error_code error;
  return std::filesystem::is_regular_file(native_path(name), error);
}

}  // namespace rqo::platform
