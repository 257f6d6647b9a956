#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "output/run_plot_command.hpp"
#include "records/console.hpp"
#include "records/error_policy.hpp"
#include "records/text_holder.hpp"

namespace rqo {

// Which plot files go to the plotting program: those the user says yes to when asked, none
// (nothing is shown either), or all without asking.
enum class PlotOffers { Ask, None, All };

// Offers plot files to the plotting program. The last answer is kept from one offer to the
// next (a null answer repeats the previous decision).
class PlotLauncher {
 public:
  // Runs the command and waits for it.
  using CommandRunner = std::function<PlotCommandResult(const std::string&)>;

  PlotLauncher(Console& console, ErrorPolicy& policy, CommandRunner run_command = run_plot_command,
               PlotOffers offers = PlotOffers::Ask)
      : console_(console), policy_(policy), run_command_(std::move(run_command)), offers_(offers) {}

  void plot_it(std::string_view file_name);

 private:
  Console& console_;
  ErrorPolicy& policy_;
  CommandRunner run_command_;
  PlotOffers offers_;
  TextHolder answer_{16};
};

}  // namespace rqo
