#include "output_files.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

#include "number_text.hpp"
#include "strain_plot.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tkx {

namespace {

// Puts the finished part in place of the file. Windows' rename() refuses to replace a file
// that exists, so MoveFileEx does it there. Returns 0, or the errno value of the failure.
int replace_file(const std::string& part, const std::string& name) {
#ifdef _WIN32
  if (MoveFileExA(part.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING)) return 0;
  return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
#else
  return std::rename(part.c_str(), name.c_str()) == 0 ? 0 : errno;
#endif
}

constexpr std::string_view kEol = "\r\n";

// One tab-separated line: the first field as text, then numbers with six decimals.
void append_row(std::string& out, std::string_view first, std::initializer_list<double> values) {
  out.append(first);
  for (const double value : values) out.append("\t").append(fixed_text(value, 6));
  out.append(kEol);
}

void append_header(std::string& out, std::string_view header) {
  out.append(header).append(kEol);
}

std::string summary_tsv(const Expansion& e) {
  std::string out;
  append_header(out, "# axis\talpha\tsigma_alpha\tu\tv\tw");
  const auto& uvw = e.directions[e.direction_row];
  for (int i = 0; i < 3; ++i) {
    append_row(out, concat({"X", std::to_string(i + 1)}),
               {e.axes[i].alpha, e.axes[i].sigma, uvw[i](0), uvw[i](1), uvw[i](2)});
  }
  append_row(out, "V", {e.volume.alpha, e.volume.sigma});
  return out;
}

std::string strain_tsv(const Series& s, const Expansion& e) {
  std::string out;
  append_header(out, "# T\te1\te2\te3\te1_fit\te2_fit\te3_fit");
  for (std::size_t n = 0; n < s.rows.size(); ++n) {
    const Eigen::Vector3d strain = 100.0 * e.strains[n];
    const Eigen::Vector3d fitted = 100.0 * e.fitted_strains[n];
    append_row(out, s.rows[n].t_text,
               {strain(0), strain(1), strain(2), fitted(0), fitted(1), fitted(2)});
  }
  return out;
}

std::string axes_tsv(const Series& s, const Expansion& e) {
  std::string out;
  append_header(out, "# T\tX1_u\tX1_v\tX1_w\tX2_u\tX2_v\tX2_w\tX3_u\tX3_v\tX3_w");
  for (std::size_t n = 1; n < s.rows.size(); ++n) {
    const auto& d = e.directions[n];
    append_row(out, s.rows[n].t_text,
               {d[0](0), d[0](1), d[0](2), d[1](0), d[1](1), d[1](2), d[2](0), d[2](1), d[2](2)});
  }
  return out;
}

std::string volume_tsv(const Series& s, const Expansion& e) {
  std::string out;
  append_header(out, "# T\tV\tV_fit");
  for (std::size_t n = 0; n < s.rows.size(); ++n) {
    append_row(out, s.rows[n].t_text, {e.volumes[n], e.fitted_volumes[n]});
  }
  return out;
}

std::string calculator_input(const Series& s) {
  std::string out;
  for (const Row& row : s.rows) {
    const Cell& c = row.cell;
    out.append(row.t_text);
    for (const double value : {row.sigma_t, c.a, c.b, c.c, c.alpha, c.beta, c.gamma}) {
      out.append(" ").append(short_text(value));
    }
    out.append(kEol);
  }
  return out;
}

[[noreturn]] void fail(const std::string& name, const char* action, int error) {
  throw std::runtime_error(concat({name, ": cannot ", action, ": ", std::strerror(error)}));
}

// Returns 0, or the error number of the failure.
int write_whole(const std::string& path, const std::string& contents) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return errno;
  errno = 0;
  int error = 0;
  if (std::fwrite(contents.data(), 1, contents.size(), out) != contents.size()) {
    error = errno != 0 ? errno : EIO;
  }
  if (std::fclose(out) != 0 && error == 0) error = errno != 0 ? errno : EIO;
  return error;
}

}  // namespace

std::vector<OutputFile> output_files(const Series& series, const Expansion& expansion,
                                     const StrainSettings& settings) {
  return {{"TK_expansion_summary.tsv", summary_tsv(expansion)},
          {"TK_expansion_strain.tsv", strain_tsv(series, expansion)},
          {"TK_expansion_axes.tsv", axes_tsv(series, expansion)},
          {"TK_expansion_volume.tsv", volume_tsv(series, expansion)},
          {kStrainPlotName, strain_plot(series, expansion, settings)},
          {"TK_pascal_input.txt", calculator_input(series)}};
}

void write_files(const std::vector<OutputFile>& files) {
  std::vector<std::string> parts;
  for (const OutputFile& file : files) parts.push_back(file.name + ".part");
  const auto remove_parts = [&parts](std::size_t from) {
    for (std::size_t j = from; j < parts.size(); ++j) std::remove(parts[j].c_str());
  };
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const int error = write_whole(parts[i], files[i].contents); error != 0) {
      remove_parts(0);
      fail(files[i].name, "write", error);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (const int error = replace_file(parts[i], files[i].name); error != 0) {
      remove_parts(i);
      fail(files[i].name, "replace", error);
    }
  }
}

}  // namespace tkx
