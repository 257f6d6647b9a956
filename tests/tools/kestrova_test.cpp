#ifdef RQO_KESTROVA

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/native_path.hpp"
#include "support/tool_run.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using rqo::testing::PathChange;
using rqo::testing::ScratchDir;
using rqo::testing::ToolRun;

// Runs kestrova with `arguments` in `dir`; `path`, when given, is the whole of its PATH.
ToolRun run_kestrova(const ScratchDir& dir, const std::vector<std::string>& arguments,
                     const std::string& path = "") {
  return rqo::testing::run_program_in(
      dir, RQO_KESTROVA, arguments, "",
      {path.empty() ? PathChange::Kind::None : PathChange::Kind::Replace, path});
}

ToolRun run_kestrova(const ScratchDir& dir, const std::string& plot_name,
                     const std::string& path = "") {
  return run_kestrova(dir, std::vector<std::string>{plot_name}, path);
}

#ifndef _WIN32
// Sets the graphical-session variables for as long as it lives (the programs started take
// this environment); an empty value unsets one.
class GraphicalSession {
 public:
  explicit GraphicalSession(const char* display) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
      const char* old = std::getenv(name);
      saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
      unsetenv(name);
    }
    if (*display != '\0') setenv("DISPLAY", display, 1);
  }
  ~GraphicalSession() {
    for (const Saved& saved : saved_) {
      if (saved.present) {
        setenv(saved.name, saved.value.c_str(), 1);
      } else {
        unsetenv(saved.name);
      }
    }
  }
  GraphicalSession(const GraphicalSession&) = delete;
  GraphicalSession& operator=(const GraphicalSession&) = delete;

 private:
  struct Saved {
    const char* name;
    bool present;
    std::string value;
  };
  std::vector<Saved> saved_;
};
#endif

class Kestrova : public ::testing::Test {
#ifndef _WIN32
  GraphicalSession no_session_{""};
#endif
};

#ifdef _WIN32

bool gnuplot_available() {
  char found[MAX_PATH];
  return SearchPathA(nullptr, "gnuplot.exe", nullptr, MAX_PATH, found, nullptr) > 0;
}

#else

bool gnuplot_available() {
  return std::system("command -v gnuplot > /dev/null 2>&1") == 0;
}

#endif

std::string crlf_lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string header(int patterns) {
  return crlf_lines({"# MAIN LEGEND TEXT: It's a series", "# X LEGEND TEXT   : Temperature (K)",
                     "# Y LEGEND TEXT   : a unit cell parameter (A)",
                     "# NUMBER OF PATTERNS: " + std::to_string(patterns),
                     "#" + std::string(50, '-')});
}

std::string pattern(int number, int points, std::initializer_list<std::string> rows) {
  static const char* const kMarkers[] = {"0", "1", "4", "6"};
  std::string text = crlf_lines(
      {"# >>>>>>>> PATTERN #: " + std::to_string(number), "#             TITLE : a_min(A)=f(T)",
       "#  NUMBER OF POINTS : " + std::string(7, ' ') + std::to_string(points),
       std::string("#            MARKER : ") + kMarkers[number], "#              SIZE : 2",
       "#   DATA: X Y"});
  return text + crlf_lines(rows);
}

const std::string kEnd = "# END OF FILE\r\n";

TEST_F(Kestrova, DrawsAPlotFileIntoAPngBesideIt) {
  if (!gnuplot_available()) GTEST_SKIP() << "gnuplot is not installed";
  ScratchDir dir;
  // The first pattern announces more points than it holds, as after a quiet end of the pass;
  // overflowed fields are passed over.
  dir.write("it's plot.pgf",
            header(2) +
                pattern(1, 4,
                        {"100.00            10.12340", "150.00            10.13000",
                         "******            10.20000"}) +
                pattern(2, 3,
                        {"100.00            10.22340", "150.00  ******************",
                         "200.00            10.33000"}) +
                kEnd);
  const ToolRun run = run_kestrova(dir, "it's plot.pgf");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  // One line says where the report is; nothing is drawn as text when the output is no terminal.
  EXPECT_EQ(run.out.rfind("kestrova: no browser to open; the report is ", 0), 0u) << run.out;
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << run.out;
  const std::string png = dir.read("it's plot.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST_F(Kestrova, DrawsAFileWithoutPoints) {
  if (!gnuplot_available()) GTEST_SKIP() << "gnuplot is not installed";
  ScratchDir dir;
  dir.write("empty.pgf", header(2) + pattern(1, 0, {}) + pattern(2, 0, {}) + kEnd);
  const ToolRun run = run_kestrova(dir, "empty.pgf");
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_FALSE(dir.read("empty.png").empty());
}

TEST_F(Kestrova, RejectsWhatIsNotACompletePlotFile) {
  struct Case {
    const char* name;
    std::string content;
    const char* reason;
  };
  const Case cases[] = {
      {"table", "! title\r\n! Parameters\r\n", "expected a line beginning with"},
      {"empty", "", "file ends where"},
      {"no end marker", header(2) + pattern(1, 1, {"100.00            10.12340"}),
       "without \"# END OF FILE\""},
      {"too many rows",
       header(1) + pattern(1, 1, {"100.00            10.12340", "150.00            10.12340"}) +
           kEnd,
       "more rows than"},
      {"bad number", header(1) + pattern(1, 1, {"100.00            10.1x340"}) + kEnd,
       "is not a number"},
      {"short row", header(1) + pattern(1, 1, {"100.00 10.1"}) + kEnd, "characters instead of 26"},
      {"pattern count", header(2) + pattern(1, 0, {}) + kEnd, "announces 2 patterns but holds 1"},
      {"text after end", header(1) + pattern(1, 0, {}) + kEnd + "more\r\n", "after"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    dir.write("input.pgf", c.content);
    const ToolRun run = run_kestrova(dir, "input.pgf");
    EXPECT_NE(run.exit_code, 0) << c.name;
    EXPECT_NE(run.err.find("kestrova: input.pgf is not a plot file"), std::string::npos)
        << c.name << ": " << run.err;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << c.name << ": " << run.err;
    EXPECT_FALSE(dir.exists("input.png")) << c.name;
    EXPECT_FALSE(dir.exists("TK_report.html")) << c.name;
  }
}

#ifndef _WIN32  // Windows always has a way to open a page
TEST_F(Kestrova, WithoutABrowserOrGnuplotSaysWhereTheReportIs) {
  ScratchDir dir;
  dir.write("a.pgf", header(1) + pattern(1, 0, {}) + kEnd);
  const ToolRun run = run_kestrova(dir, "a.pgf", dir.path().string());
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("the report is "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("TK_report.html (a.pgf at #a)"), std::string::npos) << run.out;
  EXPECT_TRUE(dir.exists("TK_report.html"));
}
#endif

TEST_F(Kestrova, MissingFileAndUsage) {
  ScratchDir dir;
  const ToolRun missing = run_kestrova(dir, "nothing.pgf");
  EXPECT_NE(missing.exit_code, 0);
  EXPECT_NE(missing.err.find("cannot open nothing.pgf"), std::string::npos) << missing.err;
}

// A series folder: the table, two of the nine plot files (one with a title that could end a
// script element early) and a plot file of the user's.
void write_series(const ScratchDir& dir) {
  dir.write("TK_parameters_quavelon_out.xy",
            crlf_lines({"! Cooling </script> & co", "! Parameters", "!   TK    a_min(A)", "!---",
                        "150.00    10.13000     *******", "100.00    10.12340    10.20000"}));
  dir.write("TK_cell_a.pgf",
            header(2) +
                pattern(1, 2, {"100.00            10.12340", "150.00            10.13000"}) +
                pattern(2, 2, {"100.00            10.22340", "150.00  ******************"}) + kEnd);
  dir.write("TK_volume.pgf", header(1) + pattern(1, 1, {"-50.00             1.00000"}) + kEnd);
}

TEST_F(Kestrova, ReportHoldsThePlotsAndTheTableWithTheFilesDigits) {
  ScratchDir dir;
  write_series(dir);
  const ToolRun run = run_kestrova(dir, std::vector<std::string>{"--report"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string report = dir.read("TK_report.html");
  const std::string expected[] = {
      // the facts of the series, with the table's digits
      "<dd id=\"run-count\">2</dd>",
      "100.00 K to 150.00 K",
      "<h1>Cooling &lt;/script&gt; &amp; co</h1>",
      // the plots at their anchors, the points as the files write them, overflow left out
      "id=\"TK_cell_a\"",
      "id=\"plot-TK_volume\"",
      R"j("name":"a_min(A)=f(T)","lineOnly":false,"marker":1,"x":["100.00","150.00"],"y":["10.12340","10.13000"]})j",
      R"("x":["100.00"],"y":["10.22340"])",
      R"("x":["-50.00"],"y":["1.00000"])",
      // the missing plot files said so
      "TK_cell_b.pgf, TK_cell_c.pgf, TK_cell_alpha.pgf",
      // the table's fields, overflow as written
      "<td>150.00<td>10.13000<td>*******",
      "<td>100.00<td>10.12340<td>10.20000",
  };
  for (const std::string& text : expected) EXPECT_NE(report.find(text), std::string::npos) << text;
  // Text from the files never ends a script element; the page holds no folder.
  EXPECT_EQ(report.find("Cooling </script>"), std::string::npos);
  EXPECT_EQ(report.find(dir.path().filename().string()), std::string::npos);
  EXPECT_FALSE(dir.exists("TK_report.html.part"));

  // The same files elsewhere give the same bytes.
  ScratchDir other;
  write_series(other);
  EXPECT_EQ(
      run_kestrova(dir, std::vector<std::string>{"--report", other.path().string()}).exit_code, 0);
  EXPECT_EQ(other.read("TK_report.html"), report);
}

TEST_F(Kestrova, RefusesWithoutChangingTheReport) {
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    const char* make_directory;  // a folder where a file is to go
    int exit_code;
    const char* message;
  };
  const Case cases[] = {
      {"a plot file of the folder is broken",
       {"TK_cell_a.pgf"},
       nullptr,
       1,
       "kestrova: TK_volume.pgf is not a plot file: line 1"},
      {"the report cannot be written",
       {"--report"},
       "TK_report.html.part",
       2,
       "kestrova: cannot write TK_report.html in .: "},
      {"not a folder", {"--report", "nothing"}, nullptr, 2, "kestrova: nothing is not a folder"},
      {"unknown option", {"--bogus"}, nullptr, 2, "kestrova: The following argument was not"},
      {"both", {"a.pgf", "--report"}, nullptr, 2, "kestrova: PLOT_FILE excludes --report"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    write_series(dir);
    if (c.arguments.front() == "TK_cell_a.pgf") dir.write("TK_volume.pgf", "not a plot\r\n");
    if (c.make_directory != nullptr)
      std::filesystem::create_directory(dir.path() / c.make_directory);
    dir.write("TK_report.html", "the report before");
    const ToolRun run = run_kestrova(dir, c.arguments, dir.path().string());
    EXPECT_EQ(run.exit_code, c.exit_code) << c.name;
    EXPECT_EQ(run.err.rfind(c.message, 0), 0u) << c.name << ": " << run.err;
    EXPECT_EQ(dir.read("TK_report.html"), "the report before") << c.name;
  }
}

// A folder whose path is longer than the old limit of 260 characters on Windows, named on the
// command line as it is.
TEST_F(Kestrova, WritesTheReportOfAFolderWithALongName) {
  ScratchDir dir;
  const std::string folder = std::string(150, 'd') + "/" + std::string(150, 'e');
  const std::string absolute = (dir.path() / folder).make_preferred().string();
  std::filesystem::create_directories(rqo::platform::native_path(absolute));
  std::ofstream(rqo::platform::native_path(absolute + "/TK_volume.pgf"), std::ios::binary)
      << header(1) + pattern(1, 1, {"-50.00             1.00000"}) + kEnd;
  const ToolRun run = run_kestrova(dir, std::vector<std::string>{"--report", absolute});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  const std::string report =
      rqo::testing::read_file(rqo::platform::native_path(absolute + "/TK_report.html"));
  EXPECT_NE(report.find(R"("x":["-50.00"],"y":["1.00000"])"), std::string::npos);
}

#ifdef _WIN32
// Makes a stand-in the program for web pages (.html) while it lives.
class WebPageProgram {
 public:
  explicit WebPageProgram(const std::string& program) {
    const std::string command = "\"" + program + "\" \"%1\"";
    set(kExtension, "rqo_test_page");
    set(kCommand, command);
  }
  ~WebPageProgram() {
    for (const char* key : {kCommand, "rqo_test_page\\shell\\open", "rqo_test_page\\shell",
                            "rqo_test_page", kExtension})
      RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
  }
  WebPageProgram(const WebPageProgram&) = delete;
  WebPageProgram& operator=(const WebPageProgram&) = delete;

  // True when the system has a program for web pages, which the tests leave alone.
  static bool user_has_one() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kExtension, 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }

 private:
  static constexpr const char* kExtension = ".html";
  static constexpr const char* kCommand = "rqo_test_page\\shell\\open\\command";
  static void set(const char* name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, name, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
  }
};
#endif

TEST_F(Kestrova, OpensTheReportAtThePlotInTheBrowser) {
  ScratchDir dir;
  write_series(dir);
#ifdef _WIN32
  if (WebPageProgram::user_has_one()) GTEST_SKIP() << "the system has a program for web pages";
  const WebPageProgram browser(std::filesystem::absolute(RQO_STAND_IN_BROWSER).string());
  const std::string path;
  const std::string folder = "file:///" + dir.path().generic_string();
#else
  // xdg-open stands in for the browser: it notes the address it is given.
  dir.write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > opened.part && mv opened.part opened\n");
  std::filesystem::permissions(dir.path() / "xdg-open", std::filesystem::perms::owner_all);
  const GraphicalSession session(":7");
  const std::string path = dir.path().string() + ":/usr/bin:/bin";
  const std::string folder = "file://" + std::filesystem::canonical(dir.path()).string();
#endif
  const ToolRun run = run_kestrova(dir, "TK_cell_a.pgf", path);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "kestrova: TK_cell_a.pgf opened in the browser (TK_report.html)\n");
  for (int wait = 0; wait < 1000 && !dir.exists("opened"); ++wait)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(dir.read("opened"), folder + "/TK_report.html#TK_cell_a");
}

}  // namespace

#endif  // RQO_KESTROVA
