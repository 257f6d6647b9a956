#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/run_record.hpp"

// The layout of the parameter table, shared by the tool that writes it and the thermal
// expansion program that reads it: its file name, the comment lines before the data rows and
// the columns of a data row in order.
namespace rqo::table_layout {

inline constexpr std::string_view kFileName = "TK_parameters_quavelon_out.xy";

// Every header line begins with the comment mark; the last of them is the ruler, the mark
// followed by this many dashes.
inline constexpr char kCommentMark = '!';
inline constexpr std::size_t kRulerDashes = 320;

// One column of a data row: its name (for reports), its heading in the column-header line
// (right-aligned over the field), the width and decimals of its fixed-point field, and the
// run value it holds.
struct Column {
  std::string_view name;
  std::string_view heading;
  std::size_t width;
  int decimals;
  float (*value)(const RunRecord&);
};

// Temperature, then minimum and maximum of each quantity side by side.
inline constexpr std::array<Column, 23> kColumns{{
    {"T", "TK", 6, 2, [](const RunRecord& r) { return r.temperature; }},
    {"a_min", "a_min(A)", 12, 5, [](const RunRecord& r) { return r.cell_min.a; }},
    {"a_max", "a_max(A)", 12, 5, [](const RunRecord& r) { return r.cell_max.a; }},
    {"b_min", "b_min(A)", 12, 5, [](const RunRecord& r) { return r.cell_min.b; }},
    {"b_max", "b_max(A)", 12, 5, [](const RunRecord& r) { return r.cell_max.b; }},
    {"c_min", "c_min(A)", 12, 5, [](const RunRecord& r) { return r.cell_min.c; }},
    {"c_max", "c_max(A)", 12, 5, [](const RunRecord& r) { return r.cell_max.c; }},
    {"alpha_min", "alpha_min(deg)", 15, 3, [](const RunRecord& r) { return r.cell_min.alpha; }},
    {"alpha_max", "alpha_max(deg)", 15, 3, [](const RunRecord& r) { return r.cell_max.alpha; }},
    {"beta_min", "beta_min(deg)", 15, 3, [](const RunRecord& r) { return r.cell_min.beta; }},
    {"beta_max", "beta_max(deg)", 15, 3, [](const RunRecord& r) { return r.cell_max.beta; }},
    {"gamma_min", "gamma_min(deg)", 15, 3, [](const RunRecord& r) { return r.cell_min.gamma; }},
    {"gamma_max", "gamma_max(deg)", 15, 3, [](const RunRecord& r) { return r.cell_max.gamma; }},
    {"volume_min", "volume_min(A3)", 15, 3, [](const RunRecord& r) { return r.volume_min; }},
    {"volume_max", "volume_max(A3)", 15, 3, [](const RunRecord& r) { return r.volume_max; }},
    {"mosa_min", "mosa_min(deg)", 15, 3, [](const RunRecord& r) { return r.mosa_min; }},
    {"mosa_max", "mosa_max(deg)", 15, 3, [](const RunRecord& r) { return r.mosa_max; }},
    {"chi2_x_min", "chi2_x_min", 15, 3, [](const RunRecord& r) { return r.chi2_min[kChi2X]; }},
    {"chi2_x_max", "chi2_x_max", 15, 3, [](const RunRecord& r) { return r.chi2_max[kChi2X]; }},
    {"chi2_y_min", "chi2_y_min", 15, 3, [](const RunRecord& r) { return r.chi2_min[kChi2Y]; }},
    {"chi2_y_max", "chi2_y_max", 15, 3, [](const RunRecord& r) { return r.chi2_max[kChi2Y]; }},
    {"chi2_rot_min", "chi2_rot_min", 15, 3,
     [](const RunRecord& r) { return r.chi2_min[kChi2Rotation]; }},
    {"chi2_rot_max", "chi2_rot_max", 15, 3,
     [](const RunRecord& r) { return r.chi2_max[kChi2Rotation]; }},
}};

// The position of the named column; a name that is not a column does not compile.
consteval std::size_t column_index(std::string_view name) {
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    if (kColumns[i].name == name) return i;
  }
  throw "no column of this name";
}

}  // namespace rqo::table_layout
