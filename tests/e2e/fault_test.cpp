// Hostile conditions around the built program: files that cannot be created, read or written,
// standard input that ends early, very large inputs, and repeated bad values. For each: the
// diagnostic names what failed, the exit code tells the kind of end, and whatever was written
// before the fault is byte for byte the start of what a normal run writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/fault_run.hpp"
#include "support/tool_outputs.hpp"
#include "support/tool_run.hpp"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace rqo::testing {
namespace {

namespace fs = std::filesystem;

const std::string kRunList = "cooling_series.txt";

// The bundled cooling series (twelve logs and their run list) in a fresh directory.
void copy_example(const ScratchDir& dir) {
  for (const auto& entry :
       fs::directory_iterator(fs::path(RQO_SOURCE_DIR) / "examples" / "cooling_series")) {
    fs::copy_file(entry.path(), dir.path() / entry.path().filename());
  }
}

std::string log_of(int index) {
  static const char* const kTemperatures[] = {"300", "280", "260", "240", "220", "200",
                                              "180", "160", "150", "140", "120", "100"};
  return std::string("TK_quavelon_") + kTemperatures[index % 12] + "K.out";
}

// Every output file that exists after a faulty run must be the start of the same file after a
// normal run (`reference`); `complete` names the files that must be whole.
void expect_prefixes(const ScratchDir& faulty, const ScratchDir& reference,
                     const std::vector<std::string>& complete = {}) {
  for (const auto& name : kOutputs) {
    if (!faulty.exists(name)) continue;
    const std::string got = faulty.read(name);
    const std::string whole = reference.read(name);
    EXPECT_EQ(whole.substr(0, got.size()), got)
        << name << ": " << got.size() << " bytes are not the start of the normal run's "
        << whole.size() << " bytes";
    for (const auto& must : complete)
      if (must == name) {
        EXPECT_EQ(got.size(), whole.size()) << name << " is incomplete";
      }
  }
}

FaultSetup piped(const std::string& input) {
  FaultSetup setup;
  setup.input = input;
  return setup;
}
[[maybe_unused]] FaultSetup unprivileged(const std::string& input) {
  FaultSetup setup = piped(input);
  setup.unprivileged = true;
  return setup;
}
[[maybe_unused]] FaultSetup screen_to(const std::string& input, const std::string& path) {
  FaultSetup setup = piped(input);
  setup.stdout_path = path;
  return setup;
}

ToolRun normal_run(const ScratchDir& dir, const std::string& list = kRunList) {
  const ToolRun run = run_tool(dir, list + "\n" + kNineNo);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return run;
}

int count_of(const std::string& text, const std::string& piece) {
  int count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

void expect_one_line_diagnostics(const std::string& err) {
  std::size_t start = 0;
  while (start < err.size()) {
    const std::size_t end = err.find('\n', start);
    ASSERT_NE(end, std::string::npos) << "diagnostic without its line break: " << err;
    EXPECT_EQ(err.compare(start, 19, "read_quavelon_out: "), 0) << err.substr(start, end - start);
    start = end + 1;
  }
}

// Peak memory of a small run, the base for the bounds on big ones (a sanitizer build needs
// more memory from the start).
long small_run_memory_kb() {
  ScratchDir dir;
  dir.write("tiny.out", "  A axis length : 1.5 2.5\n");
  dir.write("list.txt", "title\nlabels\ntiny.out 150\n");
  return run_tool_faulted(dir, piped("list.txt\n" + kNineNo)).peak_memory_kb;
}

// Faults in a run of the bundled series: `dir` holds a fresh copy of it for the faulty run,
// `reference()` the files of one normal run of it, which every faulty run is compared with.
class SeriesFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    reference_ = std::make_unique<ScratchDir>();
    copy_example(*reference_);
    normal_run(*reference_);
  }
  static void TearDownTestSuite() { reference_.reset(); }
  void SetUp() override { copy_example(dir); }

  static const ScratchDir& reference() { return *reference_; }

  ScratchDir dir;

 private:
  static inline std::unique_ptr<ScratchDir> reference_;
};

constexpr const char* kNoFullDevice = "Windows has no device that is always full (/dev/full)";

// Runs the tool with `name` in `dir` there but not to be opened: without permissions for an
// unprivileged user on POSIX systems, held by another program that shares it with none on
// Windows. Nothing when root cannot drop its privileges.
std::optional<FaultRun> run_with_file_held(const ScratchDir& dir, const std::string& name,
                                           const std::string& input) {
#ifdef _WIN32
  const HANDLE held = CreateFileW((dir.path() / name).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(held, INVALID_HANDLE_VALUE);
  const FaultRun run = run_tool_faulted(dir, piped(input));
  CloseHandle(held);
  return run;
#else
  open_up(dir);
  if (fs::exists(dir.path() / name)) {
    ::chmod((dir.path() / name).c_str(), 0);
  } else {
    ::chmod(dir.path().c_str(), 0555);  // the folder cannot take the new file
  }
  const FaultRun run = run_tool_faulted(dir, unprivileged(input));
  ::chmod(dir.path().c_str(), 0755);
  if (privileges_not_dropped(run)) return std::nullopt;
  return run;
#endif
}

// The table cannot be created: on POSIX systems the folder is read-only; on Windows, where
// root under wine writes into read-only folders too, another program holds the table.
TEST(Faults, TableCannotBeCreated) {
  ScratchDir dir;
  copy_example(dir);
  const auto run = run_with_file_held(dir, kTable, kRunList + "\n" + kNineNo);
  if (!run) GTEST_SKIP() << "root cannot drop to an unprivileged user";
  EXPECT_EQ(run->exit_code, 2);
  EXPECT_NE(run->err.find(kTable), std::string::npos) << run->err;
  expect_one_line_diagnostics(run->err);
  for (const auto& name : kOutputs) {
    if (name == kTable) continue;
    EXPECT_FALSE(dir.exists(name)) << name;
  }
  EXPECT_EQ(run->out.back(), '\n');
}

// The program ended at the first plot offer (its console closed): the table and every plot file
// are already complete.
TEST_F(SeriesFaults, KilledAtTheFirstPlotOffer) {
  FaultSetup setup = piped(kRunList + "\n");
  setup.kill_when_shown = "TK_cell_a.pgf file has been created: plot it (y/n) ?";
  const FaultRun run = run_tool_faulted(dir, setup);
  EXPECT_NE(run.exit_code, 0);
  for (const auto& name : kOutputs) EXPECT_EQ(dir.read(name), reference().read(name)) << name;
}

// Each output name in turn already names a directory: that file cannot be created; the files
// created before it hold what a normal run writes first.
TEST_F(SeriesFaults, OutputNameTakenByADirectory) {
  for (const auto& taken : kOutputs) {
    SCOPED_TRACE(taken);
    ScratchDir fresh;
    copy_example(fresh);
    fs::create_directory(fresh.path() / taken);
    const FaultRun run = run_tool_faulted(fresh, piped(kRunList + "\n" + kNineNo));
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("cannot create \"" + taken + "\""), std::string::npos) << run.err;
    expect_one_line_diagnostics(run.err);
    fs::remove(fresh.path() / taken);
    expect_prefixes(fresh, reference());
  }
}

// A plot file that the system refuses to write: the failure surfaces when the file is
// written out, after the pass. Files closed before it are whole; the rest are prefixes.
TEST_F(SeriesFaults, PlotFileOnAFullDevice) {
#ifdef _WIN32
  GTEST_SKIP() << kNoFullDevice;
#else
  fs::create_symlink("/dev/full", dir.path() / "TK_cell_b.pgf");
  const FaultRun run = run_tool_faulted(dir, piped(kRunList + "\n" + kNineNo));
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("TK_cell_b.pgf"), std::string::npos) << run.err;
  EXPECT_EQ(count_of(run.err, "\n"), 1) << run.err;
  expect_one_line_diagnostics(run.err);
  fs::remove(dir.path() / "TK_cell_b.pgf");
  expect_prefixes(dir, reference(), {kTable, "TK_cell_a.pgf"});
#endif
}

// The table fills the device in the middle of the pass (400 rows outgrow its buffer).
TEST(Faults, TableOnAFullDeviceInTheMiddleOfThePass) {
#ifdef _WIN32
  GTEST_SKIP() << kNoFullDevice;
#else
  std::string list = "title\nlabels\n";
  for (int i = 0; i < 400; ++i) list += log_of(i) + " " + std::to_string(100 + i) + "\n";
  ScratchDir reference;
  copy_example(reference);
  reference.write("long.txt", list);
  normal_run(reference, "long.txt");
  ScratchDir dir;
  copy_example(dir);
  dir.write("long.txt", list);
  fs::create_symlink("/dev/full", dir.path() / kTable);
  const FaultRun run = run_tool_faulted(dir, piped("long.txt\n" + kNineNo));
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find(kTable), std::string::npos) << run.err;
  expect_one_line_diagnostics(run.err);
  // The stop came before the announcement.
  EXPECT_EQ(run.out.find(">>> The"), std::string::npos);
  fs::remove(dir.path() / kTable);
  expect_prefixes(dir, reference);
  EXPECT_LT(dir.read("TK_cell_a.pgf").size(), reference.read("TK_cell_a.pgf").size());
#endif
}

TEST_F(SeriesFaults, StandardOutputOnAFullDevice) {
#ifdef _WIN32
  GTEST_SKIP() << kNoFullDevice;
#else
  const FaultRun run = run_tool_faulted(dir, screen_to(kRunList + "\n" + kNineNo, "/dev/full"));
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("standard output"), std::string::npos) << run.err;
  expect_one_line_diagnostics(run.err);
  // The files do not depend on the screen: they are complete.
  expect_prefixes(dir, reference(), kOutputs);
#endif
}

TEST_F(SeriesFaults, LogThatIsADirectoryCountsAsMissing) {
  fs::remove(dir.path() / log_of(2));
  fs::create_directory(dir.path() / log_of(2));
  const FaultRun run = run_tool_faulted(dir, piped(kRunList + "\n" + kNineNo));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.out.find(" !! " + log_of(2) + " does not exist !!\n \n"), std::string::npos)
      << run.out;
  expect_prefixes(dir, reference());
  EXPECT_EQ(count_of(dir.read(kTable), "\r\n"), 4 + 2);
}

TEST_F(SeriesFaults, LogThatCannotBeOpened) {
  const auto run = run_with_file_held(dir, log_of(3), kRunList + "\n" + kNineNo);
  if (!run) GTEST_SKIP() << "root cannot drop to an unprivileged user";
  EXPECT_EQ(run->exit_code, 2);
  EXPECT_NE(run->err.find("cannot open \"" + log_of(3) + "\""), std::string::npos) << run->err;
  expect_one_line_diagnostics(run->err);
  expect_prefixes(dir, reference());
  EXPECT_EQ(count_of(dir.read(kTable), "\r\n"), 4 + 3);
}

TEST(Faults, RunListThatCannotBeOpened) {
  ScratchDir dir;
  copy_example(dir);
  const auto run = run_with_file_held(dir, kRunList, kRunList + "\n" + kNineNo);
  if (!run) GTEST_SKIP() << "root cannot drop to an unprivileged user";
  EXPECT_EQ(run->exit_code, 2);
  EXPECT_NE(run->err.find("cannot open \"" + std::string(kRunList) + "\""), std::string::npos)
      << run->err;
  expect_one_line_diagnostics(run->err);
  for (const auto& name : kOutputs) EXPECT_FALSE(dir.exists(name)) << name;
}

// Standard input ends at each prompt in turn: at the run list prompt (no output file yet), or
// at one of the nine plot offers (every file already complete).
TEST_F(SeriesFaults, StandardInputEndsAtEachPrompt) {
  for (int answered = 0; answered <= 9; ++answered) {
    SCOPED_TRACE("answers given before the end of input: " + std::to_string(answered));
    ScratchDir fresh;
    copy_example(fresh);
    std::string input;
    if (answered > 0) input = kRunList + "\n" + kNineNo.substr(0, 2 * (answered - 1));
    const FaultRun run = run_tool_faulted(fresh, piped(input));
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("standard input"), std::string::npos) << run.err;
    expect_one_line_diagnostics(run.err);
    EXPECT_EQ(run.out.back(), '\n');
    if (answered == 0) {
      for (const auto& name : kOutputs) EXPECT_FALSE(fresh.exists(name)) << name;
    } else {
      expect_prefixes(fresh, reference(), kOutputs);
    }
  }
}

TEST(Faults, StandardInputClosedFromTheStart) {
  ScratchDir dir;
  copy_example(dir);
  FaultSetup closed;
  closed.close_stdin = true;
  const FaultRun run = run_tool_faulted(dir, closed);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("standard input"), std::string::npos) << run.err;
  for (const auto& name : kOutputs) EXPECT_FALSE(dir.exists(name)) << name;
}

// 20000 runs, the twelve logs in turn: every run is processed and written as the first ones.
TEST(Faults, TwentyThousandRuns) {
  ScratchDir reference;
  copy_example(reference);
  std::string small = "title\nlabels\n";
  for (int i = 0; i < 12; ++i) small += log_of(i) + " " + std::to_string(100 + i) + "\n";
  reference.write("small.txt", small);
  normal_run(reference, "small.txt");
  const std::string small_table = reference.read(kTable);
  const std::size_t header = small_table.size() - 12 * 320;
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < 12; ++i) rows.push_back(small_table.substr(header + i * 320, 320));
  ASSERT_EQ(count_of(small_table.substr(0, header), "\r\n"), 4);

  std::string list = "title\nlabels\n";
  for (int i = 0; i < 20000; ++i) list += log_of(i) + " " + std::to_string(100 + i % 12) + "\n";
  ScratchDir dir;
  copy_example(dir);
  dir.write("big.txt", list);
  const FaultRun run = run_tool_faulted(dir, piped("big.txt\n" + kNineNo));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string table = dir.read(kTable);
  ASSERT_EQ(table.substr(0, header), small_table.substr(0, header));
  ASSERT_EQ(table.size(), header + 20000 * 320);
  for (int i = 0; i < 20000; ++i) {
    const std::string row = table.substr(header + static_cast<std::size_t>(i) * 320, 320);
    if (row != rows[static_cast<std::size_t>(i % 12)]) {
      ADD_FAILURE() << "run " << i + 1 << "\n  expected " << rows[i % 12] << "\n  actual   " << row;
      break;
    }
  }
  const std::string chi2 = dir.read("TK_chi2.pgf");
  // Temperature 100 is run 1, 13, ..., 19993: 1667 runs, in each of the six patterns.
  EXPECT_EQ(count_of(chi2, "\r\n100.00"), 6 * 1667);
  EXPECT_NE(chi2.find("   20000\r\n"), std::string::npos);
}

// A 2 GiB log of one line without a line break (mostly NUL bytes, written sparsely): finished
// in bounded time and memory, and its keyword at the start is still read.
TEST(Faults, TwoGigabyteLogOfOneLine) {
  ScratchDir dir;
  const std::string head = "  A axis length : 1.5 2.5   ";
  dir.write("huge.out", head);
  fs::resize_file(dir.path() / "huge.out", 2ULL * 1024 * 1024 * 1024);
  dir.write("list.txt", "title\nlabels\nhuge.out 150\n");
  const FaultRun run = run_tool_faulted(dir, piped("list.txt\n" + kNineNo));
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_LT(run.seconds, 60.0);
  EXPECT_LT(run.peak_memory_kb, small_run_memory_kb() + 32 * 1024);
  const std::string table = dir.read(kTable);
  EXPECT_NE(table.find("150.00     1.50000"), std::string::npos) << table;
  EXPECT_NE(table.find("     2.50000"), std::string::npos) << table;
}

// Standard input of one 256 MiB line (NUL bytes, from a sparse file) at the run list prompt: the
// name is not found, the input ends, and memory stays bounded.
TEST(Faults, HugeAnswerAtThePrompt) {
  ScratchDir dir;
  ScratchDir input_dir;
  input_dir.write("answer", "");
  const fs::path answer = input_dir.path() / "answer";
  fs::resize_file(answer, 256ULL * 1024 * 1024);
  FaultSetup setup;
  setup.stdin_path = answer.string();
  const FaultRun run = run_tool_faulted(dir, setup);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("standard input"), std::string::npos) << run.err;
  EXPECT_EQ(count_of(run.out, " does not exist !!"), 1);
  EXPECT_LT(run.seconds, 60.0);
  EXPECT_LT(run.peak_memory_kb, small_run_memory_kb() + 32 * 1024);
}

// Ten logs each with a keyword line that holds one value: the tenth early end of a value text
// ends the program; the nine runs before it are written and their files closed.
TEST(Faults, TenthShortValueTextEndsTheProgram) {
  auto prepare = [](const ScratchDir& dir, bool tenth_good) {
    copy_example(dir);
    std::string list = "title\nlabels\n";
    for (int i = 0; i < 11; ++i) {
      std::string log = dir.read(log_of(i));
      const std::string line = "  mosaicity (deg)                 :";
      const std::size_t at = log.find(line);
      if (i < 9 || (i == 9 && !tenth_good)) {
        log.replace(at, log.find('\n', at) - at, line + "    0.2750");
      }
      dir.write(log_of(i), log);
      list += log_of(i) + " " + std::to_string(300 - 10 * i) + "\n";
    }
    dir.write("list.txt", list);
  };
  ScratchDir reference;
  prepare(reference, true);
  normal_run(reference, "list.txt");
  ScratchDir dir;
  prepare(dir, false);
  const FaultRun run = run_tool_faulted(dir, piped("list.txt\n" + kNineNo));
  EXPECT_EQ(run.exit_code, 2);
  expect_one_line_diagnostics(run.err);
  EXPECT_NE(run.err.find(log_of(0)), std::string::npos) << run.err;
  // The last line says why the program ended and where the last occurrence was.
  const std::string last_line = run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1);
  EXPECT_NE(last_line.find("maximum error count"), std::string::npos) << last_line;
  EXPECT_NE(last_line.find(log_of(9)), std::string::npos) << last_line;
  EXPECT_EQ(count_of(dir.read(kTable), "\r\n"), 4 + 9);
  expect_prefixes(dir, reference);
}

}  // namespace
}  // namespace rqo::testing
