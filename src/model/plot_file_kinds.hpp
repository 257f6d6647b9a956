#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/run_record.hpp"

namespace rqo {

// One data series of a plot file: its pattern number (which selects the marker), its title
// and the run value it shows against temperature.
struct PlotPattern {
  std::int32_t number;
  std::string_view title;
  float (*value)(const RunRecord&);
};

// One plot file: its name, its Y legend and its patterns in order.
struct PlotFileKind {
  std::string_view file_name;
  std::string_view y_legend;
  std::span<const PlotPattern> patterns;
};

namespace plot_kinds_detail {
inline constexpr PlotPattern kCellA[] = {
    {1, "a_min(A)=f(T)", [](const RunRecord& r) { return r.cell_min.a; }},
    {2, "a_max(A)=f(T)", [](const RunRecord& r) { return r.cell_max.a; }}};
inline constexpr PlotPattern kCellB[] = {
    {1, "b_min(A)=f(T)", [](const RunRecord& r) { return r.cell_min.b; }},
    {2, "b_max(A)=f(T)", [](const RunRecord& r) { return r.cell_max.b; }}};
inline constexpr PlotPattern kCellC[] = {
    {1, "c_min(A)=f(T)", [](const RunRecord& r) { return r.cell_min.c; }},
    {2, "c_max(A)=f(T)", [](const RunRecord& r) { return r.cell_max.c; }}};
inline constexpr PlotPattern kCellAlpha[] = {
    {1, "alpha_min(deg)=f(T)", [](const RunRecord& r) { return r.cell_min.alpha; }},
    {2, "alpha_max(deg)=f(T)", [](const RunRecord& r) { return r.cell_max.alpha; }}};
inline constexpr PlotPattern kCellBeta[] = {
    {1, "beta_min(deg)=f(T)", [](const RunRecord& r) { return r.cell_min.beta; }},
    {2, "beta_max(deg)=f(T)", [](const RunRecord& r) { return r.cell_max.beta; }}};
inline constexpr PlotPattern kCellGamma[] = {
    {1, "gamma_min(deg)=f(T)", [](const RunRecord& r) { return r.cell_min.gamma; }},
    {2, "gamma_max(deg)=f(T)", [](const RunRecord& r) { return r.cell_max.gamma; }}};
inline constexpr PlotPattern kVolume[] = {
    {1, "volume_min(A3)=f(T)", [](const RunRecord& r) { return r.volume_min; }},
    {2, "volume_max(A3)=f(T)", [](const RunRecord& r) { return r.volume_max; }}};
inline constexpr PlotPattern kMosaicity[] = {
    {1, "mosaicity_min(deg)=f(T)", [](const RunRecord& r) { return r.mosa_min; }},
    {2, "mosaicity_max(deg)=f(T)", [](const RunRecord& r) { return r.mosa_max; }}};
// Minimum and maximum of one chi-square value share a pattern number, and so a marker.
inline constexpr PlotPattern kChi2[] = {
    {1, "chi2_x_min=f(T)", [](const RunRecord& r) { return r.chi2_min[kChi2X]; }},
    {1, "chi2_x_max=f(T)", [](const RunRecord& r) { return r.chi2_max[kChi2X]; }},
    {2, "chi2_y_min=f(T)", [](const RunRecord& r) { return r.chi2_min[kChi2Y]; }},
    {2, "chi2_y_max=f(T)", [](const RunRecord& r) { return r.chi2_max[kChi2Y]; }},
    {3, "chi2_rot_min=f(T)", [](const RunRecord& r) { return r.chi2_min[kChi2Rotation]; }},
    {3, "chi2_rot_max=f(T)", [](const RunRecord& r) { return r.chi2_max[kChi2Rotation]; }}};
}  // namespace plot_kinds_detail

// The nine plot files of a series, in the order in which they are created, written and
// offered to the plotting program.
inline constexpr std::array<PlotFileKind, 9> kPlotFileKinds{{
    {"TK_cell_a.pgf", "a unit cell parameter (A)", plot_kinds_detail::kCellA},
    {"TK_cell_b.pgf", "b unit cell parameter (A)", plot_kinds_detail::kCellB},
    {"TK_cell_c.pgf", "c unit cell parameter (A)", plot_kinds_detail::kCellC},
    {"TK_cell_alpha.pgf", "alpha angle (deg.)", plot_kinds_detail::kCellAlpha},
    {"TK_cell_beta.pgf", "beta angle (deg.)", plot_kinds_detail::kCellBeta},
    {"TK_cell_gamma.pgf", "gamma angle (deg.)", plot_kinds_detail::kCellGamma},
    {"TK_volume.pgf", "Unit cell volume (A3)", plot_kinds_detail::kVolume},
    {"TK_mosaicity.pgf", "Crystal mosaicity (deg.)", plot_kinds_detail::kMosaicity},
    {"TK_chi2.pgf", "Chi2 value", plot_kinds_detail::kChi2},
}};

}  // namespace rqo
