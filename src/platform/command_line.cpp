#include "platform/command_line.hpp"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>

// After windows.h, which it builds on.
#include <shellapi.h>
#endif

namespace rqo::platform {

#ifdef _WIN32
namespace {

std::string narrow(const wchar_t* wide) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string text(static_cast<std::size_t>(length - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {argv + (argc > 0 ? 1 : 0), argv + argc};
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(narrow(wide[i]));
  LocalFree(wide);
  return arguments;
}

#else

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  if (argc <= 1) return {};
  return {argv + 1, argv + argc};
}

#endif

std::optional<int> answer_command_line(CLI::App& app, const std::vector<std::string>& arguments,
                                       std::string_view usage, std::string_view version,
                                       std::ostream& out, std::ostream& err) {
  const std::string name = app.get_name();
  app.set_version_flag("--version", name + " " + std::string(version));
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
#ifdef _WIN32
  std::replace(reversed.begin(), reversed.end(), std::string("/?"), std::string("--help"));
#endif
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help() << std::flush;
    return 0;
  } catch (const CLI::CallForVersion& version_call) {
    out << version_call.what() << "\n" << std::flush;
    return 0;
  } catch (const CLI::ParseError& error) {
    err << name << ": " << error.what() << "\n"
        << "usage: " << usage << "; '" << name << " --help' tells more\n"
        << std::flush;
    return kExitUsage;
  }
  return std::nullopt;
}

}  // namespace rqo::platform
