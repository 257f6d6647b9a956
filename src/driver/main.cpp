#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>

#include "driver/answer_command_line.hpp"
#include "driver/read_quavelon_out.hpp"
#include "platform/command_line.hpp"
#include "records/console.hpp"
#include "records/error_policy.hpp"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Standard input is read byte for byte, as on POSIX systems. On Windows standard output and
// standard error stay in text mode, which writes every line end as CR LF there.
void set_console_modes() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_TEXT);
  _setmode(_fileno(stderr), _O_TEXT);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  set_console_modes();
  rqo::Invocation invocation;
  if (const auto answered = rqo::answer_command_line(rqo::platform::utf8_arguments(argc, argv),
                                                     RQO_VERSION, invocation, std::cout, std::cerr))
    return *answered;
#ifdef SIGPIPE
  // A closed pipe on standard output must not kill the program before its files are
  // complete: the failed write is reported at the end instead.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::ios::sync_with_stdio(false);
  const bool interactive = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  rqo::Console console(std::cout, std::cin, interactive);
  rqo::ErrorPolicy policy(std::cerr);
  return rqo::read_quavelon_out(console, policy, rqo::system_files(), invocation);
}
