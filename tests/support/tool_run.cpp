#include "support/tool_run.hpp"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include "support/windows_process.hpp"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace rqo::testing {

ScratchDir::ScratchDir() {
  static std::mt19937_64 names{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = std::filesystem::temp_directory_path() /
            ("rqo-test-" + std::to_string(names() % 100000000000u));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("no scratch directory could be made");
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void ScratchDir::write(const std::string& name, const std::string& content) const {
  std::ofstream(path_ / name, std::ios::binary) << content;
}

std::string ScratchDir::read(const std::string& name) const {
  return read_file(path_ / name);
}

bool ScratchDir::exists(const std::string& name) const {
  return std::filesystem::exists(path_ / name);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string tool_path() {
#ifdef _WIN32
  // Absolute on the drive the tests start on, whatever the current folder is later.
  static const std::string path = std::filesystem::absolute(RQO_BINARY).make_preferred().string();
  return path;
#else
  return RQO_BINARY;
#endif
}

namespace {

#ifndef _WIN32
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
#endif

}  // namespace

ToolRun run_program_in(const ScratchDir& dir, const std::string& program,
                       const std::vector<std::string>& arguments, const std::string& input,
                       const PathChange& path) {
  const ScratchDir io;
  io.write("stdin", input);
  ToolRun run;
#ifdef _WIN32
  std::string command_line = quoted(std::filesystem::absolute(program).make_preferred().string());
  for (const std::string& argument : arguments) {
    command_line += ' ';
    command_line += quoted(argument);
  }
  run.exit_code = run_windows_program(command_line, dir.path(), io.path() / "stdin",
                                      io.path() / "stdout", io.path() / "stderr", path)
                      .exit_code;
  run.out = from_windows_lines(io.read("stdout"), "standard output");
  run.err = from_windows_lines(io.read("stderr"), "standard error");
#else
  // Appended piece by piece: GCC 12 misjudges chains of operator+ here (-Wrestrict).
  std::string command = "cd ";
  command += quoted(dir.path().string());
  command += " && ";
  if (path.kind != PathChange::Kind::None) {
    command += "PATH=";
    command += quoted(path.value);
    if (path.kind == PathChange::Kind::Prefix) command += ":\"$PATH\"";
    command += ' ';
  }
  command += quoted(std::filesystem::absolute(program).string());
  for (const std::string& argument : arguments) {
    command += ' ';
    command += quoted(argument);
  }
  command += " < ";
  command += quoted((io.path() / "stdin").string());
  command += " > ";
  command += quoted((io.path() / "stdout").string());
  command += " 2> ";
  command += quoted((io.path() / "stderr").string());
  const int status = std::system(command.c_str());
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = io.read("stdout");
  run.err = io.read("stderr");
#endif
  return run;
}

ToolRun run_tool(const ScratchDir& dir, const std::string& input, const std::string& path_prefix) {
  return run_program_in(
      dir, tool_path(), {}, input,
      {path_prefix.empty() ? PathChange::Kind::None : PathChange::Kind::Prefix, path_prefix});
}

ToolRun run_program(const std::string& program, const std::vector<std::string>& arguments) {
  const ScratchDir dir;
  return run_program_in(dir, program, arguments);
}

}  // namespace rqo::testing
