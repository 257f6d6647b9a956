#include "run_gnuplot.hpp"

#include <csignal>
#include <cstdio>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace kestrova {

namespace {

#ifdef _WIN32
// _popen runs the command through cmd.exe, which takes the outer quotes off: the doubled
// quotes keep a folder name with blanks whole.
FILE* open_pipe(const std::string& program) {
  return _popen(("\"\"" + program + "\"\"").c_str(), "wb");
}
bool ended_well(int status) {
  return status == 0;
}
int close_pipe(FILE* pipe) {
  return _pclose(pipe);
}
#else
FILE* open_pipe(const std::string& program) {
  std::string quoted = "'";
  for (const char c : program) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  return popen(quoted.c_str(), "w");
}
bool ended_well(int status) {
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
int close_pipe(FILE* pipe) {
  return pclose(pipe);
}
#endif

}  // namespace

GnuplotOutcome run_gnuplot(const std::string& program, const std::string& script) {
#ifdef SIGPIPE
  // A gnuplot that ends early must not take this program down with a broken pipe.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::fflush(stdout);
  FILE* gnuplot = open_pipe(program);
  if (gnuplot == nullptr) return GnuplotOutcome::NotStarted;
  const bool written = std::fwrite(script.data(), 1, script.size(), gnuplot) == script.size();
  const int status = close_pipe(gnuplot);
  return written && ended_well(status) ? GnuplotOutcome::Drawn : GnuplotOutcome::Failed;
}

}  // namespace kestrova
