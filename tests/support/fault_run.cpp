#include "support/fault_run.hpp"

#ifdef _WIN32

#include <stdexcept>

#include "support/windows_process.hpp"

namespace rqo::testing {

bool privileges_not_dropped(const FaultRun&) {
  return false;
}

void open_up(const ScratchDir&) {}

FaultRun run_tool_faulted(const ScratchDir& dir, const FaultSetup& setup) {
  if (setup.unprivileged) throw std::logic_error("Windows runs have no unprivileged user");
  const ScratchDir io;
  std::filesystem::path in;
  if (!setup.close_stdin) {
    in = setup.stdin_path.empty() ? io.path() / "stdin" : std::filesystem::path(setup.stdin_path);
    if (setup.stdin_path.empty()) io.write("stdin", setup.input);
  }
  const std::filesystem::path out =
      setup.stdout_path.empty() ? io.path() / "stdout" : std::filesystem::path(setup.stdout_path);
  const auto finished = run_windows_program(quoted(tool_path()), dir.path(), in, out,
                                            io.path() / "stderr", {}, setup.kill_when_shown);
  FaultRun run;
  run.exit_code = finished.exit_code;
  run.peak_memory_kb = finished.peak_memory_kb;
  run.seconds = finished.seconds;
  if (setup.stdout_path.empty()) run.out = from_windows_lines(io.read("stdout"), "standard output");
  run.err = from_windows_lines(io.read("stderr"), "standard error");
  return run;
}

}  // namespace rqo::testing

#else

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <stdexcept>

namespace rqo::testing {

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kCannotDropPrivileges = 126;

// In the child, between fork and exec: only async-signal-safe calls.
struct ChildPaths {
  std::string dir, in, out, err;
  int pipe_in = -1;  // standard input from this pipe end instead of `in`
};

// Waits for the child; with `kill_when_shown`, kills it once the file `out` holds that text.
int wait_for(pid_t child, struct rusage& usage, const std::string& out,
             const std::string& kill_when_shown) {
  int status = 0;
  for (;;) {
    const pid_t done = ::wait4(child, &status, kill_when_shown.empty() ? 0 : WNOHANG, &usage);
    if (done == child) return status;
    if (done < 0 && errno != EINTR) throw std::runtime_error("wait4 failed");
    if (done == 0) {
      if (read_file(out).find(kill_when_shown) != std::string::npos) ::kill(child, SIGKILL);
      ::usleep(10000);
    }
  }
}

[[noreturn]] void start_child(const ChildPaths& paths, const FaultSetup& setup) {
  if (::chdir(paths.dir.c_str()) != 0) ::_exit(126);
  if (setup.close_stdin) {
    ::close(0);
  } else if (paths.pipe_in >= 0) {
    if (::dup2(paths.pipe_in, 0) < 0) ::_exit(126);
  } else {
    const int in = ::open(paths.in.c_str(), O_RDONLY);
    if (in < 0 || ::dup2(in, 0) < 0) ::_exit(126);
    ::close(in);
  }
  const int out = ::open(paths.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = ::open(paths.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
  ::close(out);
  ::close(err);
  if (setup.unprivileged && ::geteuid() == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
      static const char kMessage[] = "cannot drop privileges\n";
      [[maybe_unused]] const ssize_t ignored = ::write(2, kMessage, sizeof kMessage - 1);
      ::_exit(kCannotDropPrivileges);
    }
  }
  ::execl(RQO_BINARY, RQO_BINARY, static_cast<char*>(nullptr));
  ::_exit(127);
}

}  // namespace

bool privileges_not_dropped(const FaultRun& run) {
  return run.exit_code == kCannotDropPrivileges &&
         run.err.find("cannot drop privileges") != std::string::npos;
}

void open_up(const ScratchDir& dir) {
  ::chmod(dir.path().c_str(), 0777);
}

FaultRun run_tool_faulted(const ScratchDir& dir, const FaultSetup& setup) {
  // Standard input, output and error live apart from the tool's directory, which may be
  // read-only for the tool.
  const ScratchDir io;
  ChildPaths paths{dir.path().string(),
                   setup.stdin_path.empty() ? (io.path() / "stdin").string() : setup.stdin_path,
                   setup.stdout_path.empty() ? (io.path() / "stdout").string() : setup.stdout_path,
                   (io.path() / "stderr").string()};
  if (!setup.close_stdin && setup.stdin_path.empty()) io.write("stdin", setup.input);
  int held_input = -1;  // the pipe's write end, open while the child runs
  if (!setup.kill_when_shown.empty()) {
    int ends[2];
    if (::pipe(ends) != 0) throw std::runtime_error("pipe failed");
    paths.pipe_in = ends[0];
    held_input = ends[1];
    if (::write(held_input, setup.input.data(), setup.input.size()) !=
        static_cast<ssize_t>(setup.input.size()))
      throw std::runtime_error("the input does not fit the pipe");
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    if (held_input >= 0) ::close(held_input);
    start_child(paths, setup);
  }
  if (held_input >= 0) ::close(paths.pipe_in);
  struct rusage usage {};
  const int status = wait_for(child, usage, paths.out, setup.kill_when_shown);
  if (held_input >= 0) ::close(held_input);
  FaultRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peak_memory_kb = usage.ru_maxrss;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (setup.stdout_path.empty()) run.out = io.read("stdout");
  run.err = io.read("stderr");
  return run;
}

}  // namespace rqo::testing

#endif
