#include <unistd.h>

#include <csignal>
#include <iostream>

#include "driver/read_quavelon_out.hpp"
#include "records/console.hpp"
#include "records/error_policy.hpp"

int main() {
  // A closed pipe on standard output must not kill the program before its files are
  // complete: the failed write is reported at the end instead.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  const bool interactive = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
  rqo::Console console(std::cout, std::cin, interactive);
  rqo::ErrorPolicy policy(std::cerr);
  return rqo::read_quavelon_out(console, policy, std::cerr);
}
