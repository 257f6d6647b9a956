// The whole program on an arbitrary run list, with files in memory beside a few logs
// (complete, partial, with bad values, empty, a directory). Whatever the list holds, the program
// must end with a known exit code, standard output must end with its line break, every diagnostic
// must be one line starting with the program's name, and the table must hold its header and then
// only complete rows.
#include <sstream>
#include <string>

#include "driver/read_quavelon_out.hpp"
#include "fuzz_support.hpp"
#include "records/console.hpp"
#include "records/error_policy.hpp"
#include "records/memory_files.hpp"

namespace {

constexpr std::size_t kRowLength = 318;
constexpr int kHeaderLines = 4;

// The logs a run list can name: two with values, an empty one and a directory.
void put_logs(rqo::MemoryFiles& files) {
  files.put("a.out",
            "  A axis length : 10.0 10.5\n  B axis length : 11 12\n  C axis length: 13 14\n"
            "  alpha cell angle : 90 91\n  beta cell angle : 89 90\n"
            "  gamma cell angle : 120 121\n  chi**2 x : 1.1 1.2\n  chi**2 y : 0.9 1.0\n"
            "  chi**2 rotation : 0.5 0.6\n  mosaicity : 0.2 0.3\n");
  files.put("b.out", "A axis length: 5\r\nmosaicity: x 1\r\nbeta cell angle: 200 -300\r\n");
  files.put("c", "");
  files.put_directory("d");
}

void check_table(const std::string& table) {
  std::size_t start = 0;
  int line = 0;
  while (start < table.size()) {
    const std::size_t end = table.find("\r\n", start);
    if (end == std::string::npos) rqo::fuzz::fail("table record without CR LF");
    if (++line > kHeaderLines && end - start != kRowLength)
      rqo::fuzz::fail("table row of the wrong length", table.substr(start, end - start));
    start = end + 2;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  // Every file lives in memory: the whole program runs without touching the disk.
  rqo::MemoryFiles files;
  put_logs(files);
  files.put("list.txt", std::string_view(reinterpret_cast<const char*>(data), size));

  std::istringstream keyboard("list.txt\nn\nn\nn\nn\nn\nn\nn\nn\nn\n");
  std::ostringstream screen;
  std::ostringstream diagnostics;
  rqo::Console console(screen, keyboard, false);
  rqo::ErrorPolicy policy(diagnostics);
  const int exit_code = rqo::read_quavelon_out(console, policy, files);

  if (exit_code < 0 || exit_code > 2) rqo::fuzz::fail("unknown exit code");
  const std::string out = screen.str();
  if (out.empty() || out.back() != '\n') rqo::fuzz::fail("standard output without its last break");
  std::istringstream report(diagnostics.str());
  for (std::string line; std::getline(report, line);)
    if (line.rfind("read_quavelon_out: ", 0) != 0) rqo::fuzz::fail("a stray diagnostic", line);
  if (exit_code == 0 && !diagnostics.str().empty() &&
      diagnostics.str().find("not processed") == std::string::npos &&
      diagnostics.str().find("warning") == std::string::npos &&
      diagnostics.str().find("error") == std::string::npos)
    rqo::fuzz::fail("a normal end with an unexplained diagnostic");
  if (const std::string* table = files.find("TK_parameters_quavelon_out.xy")) check_table(*table);
  return 0;
}
