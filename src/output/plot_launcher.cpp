#include "output/plot_launcher.hpp"

#include <array>

#include "records/formatted_output.hpp"
#include "records/list_input.hpp"

namespace rqo {

namespace {

constexpr std::size_t kCommandLength = 128;

bool is_yes(const TextHolder& answer) {
  const std::string_view text = answer.trimmed();
  return text == "y" || text == "Y";
}

}  // namespace

void PlotLauncher::plot_it(std::string_view file_name) {
  switch (offers_) {
    case PlotOffers::None:
      return;
    case PlotOffers::All:
      write_list(console_, {"   . ", file_name, " file has been created "});
      break;
    case PlotOffers::Ask: {
      write_list(console_, {"   . ", file_name, " file has been created: plot it (y/n) ?  "});
      const std::array<ListItem, 1> items{&answer_};
      read_list(console_, items, StatusMode::NotWanted, policy_);
      if (!is_yes(answer_)) return;
      break;
    }
  }

  TextHolder command(kCommandLength);
  write_formatted<"(2A)">(command, "kestrova ", file_name);

  // Everything shown so far must be on the screen before the plotting program draws.
  console_.flush();
  const PlotCommandResult result = run_command_(std::string(command.trimmed()));
  if (!result.started()) policy_.report(Condition::PlotterNotStarted, result.failure());
}

}  // namespace rqo
