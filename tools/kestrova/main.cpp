// kestrova: shows the plot files of a series (header, patterns of temperature-value rows, end
// marker) in one interactive report beside them, opened in the browser at the plot asked for;
// without a browser, says where the report is and draws with gnuplot when it is there.

#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

#include "arguments.hpp"
#include "embedded_files.hpp"
#include "gnuplot_script.hpp"
#include "open_in_browser.hpp"
#include "path_search.hpp"
#include "platform/command_line.hpp"
#include "platform/native_path.hpp"
#include "report_file.hpp"
#include "report_html.hpp"
#include "report_input.hpp"
#include "run_gnuplot.hpp"

namespace {

constexpr int kExitBadFile = 1;
constexpr int kExitCannotWrite = 2;
constexpr int kExitGnuplotFailed = 3;

bool has_control_characters(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) return true;
  }
  return false;
}

std::string png_name_for(const std::string& plot_name) {
  constexpr std::string_view kExtension = ".pgf";
  if (plot_name.size() > kExtension.size() && plot_name.ends_with(kExtension))
    return plot_name.substr(0, plot_name.size() - kExtension.size()) + ".png";
  return plot_name + ".png";
}

// The path without the "\\?\" form that long names take on Windows, as people write it and
// browsers take it.
std::filesystem::path plain_path(const std::filesystem::path& path) {
#ifdef _WIN32
  constexpr std::wstring_view kLong = L"\\\\?\\";
  constexpr std::wstring_view kLongShare = L"\\\\?\\UNC\\";
  const std::wstring_view native(path.native());
  if (native.starts_with(kLongShare))
    return std::wstring(L"\\\\") + std::wstring(native.substr(kLongShare.size()));
  if (native.starts_with(kLong)) return std::wstring(native.substr(kLong.size()));
#endif
  return path;
}

// Writes the report of `folder`; the exit code (0 when written).
int write_report(const std::filesystem::path& folder, const std::string& shown_folder,
                 const std::string& extra_plot, kestrova::ReportInput& input) {
  try {
    input = kestrova::read_report_input(folder, extra_plot);
  } catch (const kestrova::NotAPlotFile& error) {
    std::cerr << "kestrova: " << error.file_name() << " is not a plot file: " << error.what()
              << "\n";
    return kExitBadFile;
  } catch (const kestrova::UnreadableFile& error) {
    std::cerr << "kestrova: cannot read " << error.what() << "\n";
    return kExitBadFile;
  }
  const std::string html = kestrova::report_html(
      input, {kestrova::plotting_library(), kestrova::report_script(), kestrova::report_style()});
  const std::string failure = kestrova::replace_file(folder / kestrova::kReportName, html);
  if (!failure.empty()) {
    std::cerr << "kestrova: cannot write " << kestrova::kReportName << " in " << shown_folder
              << ": " << failure << "\n";
    return kExitCannotWrite;
  }
  return 0;
}

// Draws the plot file with gnuplot into a PNG beside it, and on the terminal when standard
// output is one; the exit code.
int draw_with_gnuplot(const std::string& gnuplot, const kestrova::PlotFile& plot,
                      const std::string& plot_name) {
  const std::string png_name = png_name_for(plot_name);
  bool on_terminal = false;
#ifndef _WIN32
  on_terminal = isatty(STDOUT_FILENO) == 1;
#endif
  std::cout.flush();
  switch (kestrova::run_gnuplot(gnuplot, kestrova::gnuplot_script(plot, png_name, on_terminal))) {
    case kestrova::GnuplotOutcome::NotStarted:
      std::cerr << "kestrova: cannot start " << gnuplot << "\n";
      return kExitGnuplotFailed;
    case kestrova::GnuplotOutcome::Failed:
      std::cerr << "kestrova: gnuplot failed to draw " << plot_name << "\n";
      return kExitGnuplotFailed;
    case kestrova::GnuplotOutcome::Drawn:
      break;
  }
  std::error_code error;
  if (std::filesystem::file_size(rqo::platform::native_path(png_name), error) == 0 || error) {
    std::cerr << "kestrova: gnuplot wrote no image " << png_name << "\n";
    return kExitGnuplotFailed;
  }
  return 0;
}

int show(const std::string& plot_name) {
  if (has_control_characters(plot_name)) {
    std::cerr << "kestrova: the file name holds control characters\n";
    return rqo::platform::kExitUsage;
  }
  if (!rqo::platform::is_existing_file(plot_name)) {
    std::cerr << "kestrova: cannot open " << plot_name << "\n";
    return kExitBadFile;
  }
  const std::filesystem::path file = rqo::platform::native_path(plot_name);
  std::filesystem::path folder = file.parent_path();
  const std::string shown_folder = folder.empty() ? "." : kestrova::utf8_name(folder);
  if (folder.empty()) folder = ".";
  const std::string file_name = kestrova::utf8_name(file.filename());
  kestrova::ReportInput input;
  if (const int code = write_report(folder, shown_folder, file_name, input); code != 0) return code;

  std::error_code error;
  const std::filesystem::path report =
      std::filesystem::absolute(plain_path(folder) / kestrova::kReportName, error)
          .lexically_normal();
  const std::string url = kestrova::file_url(report, kestrova::plot_anchor(file_name));
  if (kestrova::can_open_browser() && kestrova::open_in_browser(url)) {
    std::cout << "kestrova: " << file_name << " opened in the browser (" << kestrova::kReportName
              << ")\n";
    return 0;
  }
  std::cout << "kestrova: no browser to open; the report is " << kestrova::utf8_name(report) << " ("
            << file_name << " at #" << kestrova::plot_anchor(file_name) << ")\n";
  const std::string gnuplot = kestrova::find_on_path(kestrova::kGnuplotProgram);
  if (gnuplot.empty()) return 0;
  const kestrova::ReportPlot* shown = input.strain ? &*input.strain : nullptr;
  for (const kestrova::ReportPlot& plot : input.plots)
    if (plot.file_name == file_name) shown = &plot;
  if (shown == nullptr || shown->file_name != file_name) return 0;
  return draw_with_gnuplot(gnuplot, shown->plot, plot_name);
}

int report(const std::string& folder_name) {
  const std::filesystem::path folder = rqo::platform::native_path(folder_name);
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    std::cerr << "kestrova: " << folder_name << " is not a folder\n";
    return kExitCannotWrite;
  }
  kestrova::ReportInput input;
  const int code = write_report(folder, folder_name, "", input);
  if (code == 0)
    std::cout << "kestrova: " << kestrova::kReportName << " written in " << folder_name << "\n";
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  int answered = 0;
  const auto arguments = kestrova::parse_arguments(rqo::platform::utf8_arguments(argc, argv),
                                                   std::cout, std::cerr, answered);
  if (!arguments) return answered;
  if (arguments->action == kestrova::Arguments::Action::Report)
    return report(arguments->report_folder);
  return show(arguments->plot_name);
}
