#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "plot_file.hpp"
#include "text_table.hpp"

namespace kestrova {

// One plot file of the report: its name in the folder, the anchor of its plot in the report
// and what it holds.
struct ReportPlot {
  std::string file_name;
  std::string anchor;
  PlotFile plot;
};

struct ReportTable {
  std::string file_name;
  TextTable table;
};

// Everything a report shows, read from the files present in one folder.
struct ReportInput {
  std::optional<SeriesTable> series;       // the parameter table, when present
  std::vector<ReportPlot> plots;           // the series' plot files present, in their order
  std::vector<std::string> missing_plots;  // the series' plot files not present
  std::optional<ReportPlot> strain;        // the principal strains of the expansion
  std::vector<ReportTable> expansion;      // the expansion's tables present, in their order
  std::vector<std::string> files_used;     // every file read, in the order read
};

// A file that should hold a plot and does not: its name and what is wrong.
class NotAPlotFile : public std::runtime_error {
 public:
  NotAPlotFile(std::string file_name, const std::string& what)
      : std::runtime_error(what), file_name_(std::move(file_name)) {}
  const std::string& file_name() const { return file_name_; }

 private:
  std::string file_name_;
};

// A file present that cannot be read.
class UnreadableFile : public std::runtime_error {
 public:
  explicit UnreadableFile(const std::string& file_name) : std::runtime_error(file_name) {}
};

inline constexpr const char* kReportName = "TK_report.html";
inline constexpr const char* kStrainPlotName = "TK_strain.pgf";
inline constexpr const char* kTensorName = "TK_expansion_tensor.tsv";

// The anchor of a plot file's plot in the report: its name without ".pgf", every character
// other than a letter, digit, '-' or '_' as '_'.
std::string plot_anchor(const std::string& file_name);

// A name in `folder` as UTF-8 text (the file names the report shows).
std::string utf8_name(const std::filesystem::path& name);

// Reads the report's files in `folder`. `extra_plot`, when not empty, names one more plot file
// there (one the series does not have). Throws NotAPlotFile, UnreadableFile.
ReportInput read_report_input(const std::filesystem::path& folder, const std::string& extra_plot);

}  // namespace kestrova
