#include "output/plot_launcher.hpp"

#include <array>
#include <cstdlib>

#include "records/formatted_output.hpp"
#include "records/list_input.hpp"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#endif

namespace rqo {

namespace {

constexpr std::size_t kCommandLength = 128;

bool is_yes(const TextHolder& answer) {
  const std::string_view text = answer.trimmed();
  return text == "y" || text == "Y";
}

}  // namespace

#ifdef _WIN32

void run_through_interpreter(const std::string& command) {
  const char* interpreter = std::getenv("COMSPEC");
  if (interpreter == nullptr) {
    std::system(command.c_str());
    return;
  }
  std::string line = std::string(interpreter) + " /c " + command;
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                     nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

#else

void run_through_interpreter(const std::string& command) {
  // The shell runs the command and system() returns when it has ended; its status is not
  // examined.
  [[maybe_unused]] const int status = std::system(command.c_str());
}

#endif

void PlotLauncher::plot_it(std::string_view file_name) {
  write_list(console_, {"   . ", file_name, " file has been created: plot it (y/n) ?  "});

  const std::array<ListItem, 1> items{&answer_};
  read_list(console_, items, StatusMode::NotWanted, policy_);
  if (!is_yes(answer_)) return;

  TextHolder command(kCommandLength);
  write_formatted<"(2A)">(command, "kestrova ", file_name);

  // Everything shown so far must be on the screen before the plotting program draws.
  console_.flush();
  run_command_(std::string(command.trimmed()));
}

}  // namespace rqo
