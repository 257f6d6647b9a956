#pragma once

#include <string>
#include <vector>

namespace rqo::testing {

// The tool's output files by the names its users see, spelled out here rather than taken from
// the code under test.
inline const std::string kTable = "TK_parameters_quavelon_out.xy";
inline const std::vector<std::string> kPlotFiles = {
    "TK_cell_a.pgf",     "TK_cell_b.pgf",    "TK_cell_c.pgf",
    "TK_cell_alpha.pgf", "TK_cell_beta.pgf", "TK_cell_gamma.pgf",
    "TK_volume.pgf",     "TK_mosaicity.pgf", "TK_chi2.pgf"};
inline const std::vector<std::string> kOutputs = {kTable,
                                                  "TK_cell_a.pgf",
                                                  "TK_cell_b.pgf",
                                                  "TK_cell_c.pgf",
                                                  "TK_cell_alpha.pgf",
                                                  "TK_cell_beta.pgf",
                                                  "TK_cell_gamma.pgf",
                                                  "TK_volume.pgf",
                                                  "TK_mosaicity.pgf",
                                                  "TK_chi2.pgf"};

// "n" to each of the nine plot offers.
inline const std::string kNineNo = "n\nn\nn\nn\nn\nn\nn\nn\nn\n";

}  // namespace rqo::testing
