#include "support/tool_run.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace rqo::testing {

namespace {
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}
}  // namespace

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rqo-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
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

ToolRun run_tool(const ScratchDir& dir, const std::string& input, const std::string& path_prefix) {
  const auto stdin_path = dir.path() / ".stdin";
  const auto stdout_path = dir.path() / ".stdout";
  const auto stderr_path = dir.path() / ".stderr";
  std::ofstream(stdin_path, std::ios::binary) << input;
  std::string command = "cd " + quoted(dir.path().string()) + " && ";
  if (!path_prefix.empty()) command += "PATH=" + quoted(path_prefix) + ":\"$PATH\" ";
  command += quoted(RQO_BINARY) + " < .stdin > .stdout 2> .stderr";
  const int status = std::system(command.c_str());
  ToolRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = read_file(stdout_path);
  run.err = read_file(stderr_path);
  std::filesystem::remove(stdin_path);
  std::filesystem::remove(stdout_path);
  std::filesystem::remove(stderr_path);
  return run;
}

}  // namespace rqo::testing
