#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rqo::testing {

// A scratch directory for one end-to-end test, removed afterwards.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

struct ToolRun {
  int exit_code = -1;
  std::string out;  // standard output, byte for byte
  std::string err;  // standard error
};

// How a started program's PATH differs from the tests' own: not at all, a folder in front, or
// a PATH of its own.
struct PathChange {
  enum class Kind { None, Prefix, Replace };
  Kind kind = Kind::None;
  std::string value;
};

// Runs `program` with `arguments` in `dir`, with `input` on its standard input, and waits for
// it. Every test that starts a program starts it here.
ToolRun run_program_in(const ScratchDir& dir, const std::string& program,
                       const std::vector<std::string>& arguments, const std::string& input = "",
                       const PathChange& path = {});

// Runs the built tool in `dir` with `input` on its standard input. `path_prefix`, when given,
// is put in front of PATH (for a stand-in plotting program).
ToolRun run_tool(const ScratchDir& dir, const std::string& input,
                 const std::string& path_prefix = "");

// The built tool, as a path the system can start from any folder.
std::string tool_path();

// Runs `program` with `arguments` (nothing on standard input) in a scratch folder.
ToolRun run_program(const std::string& program, const std::vector<std::string>& arguments);

// Reads a whole file.
std::string read_file(const std::filesystem::path& path);

}  // namespace rqo::testing
