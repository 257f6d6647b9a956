#pragma once

#include <string>

#include "output/plot_launcher.hpp"

namespace rqo {

// What the command line asks of a run: the run list to read (empty: ask for it at the prompt)
// and which plot files go to the plotting program.
struct Invocation {
  std::string run_list;
  PlotOffers plots = PlotOffers::Ask;
};

}  // namespace rqo
