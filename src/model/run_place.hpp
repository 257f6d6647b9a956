#pragma once

#include <string>
#include <string_view>

namespace rqo {

// Where a run comes from, for reports: its line of the run list and its log.
struct RunPlace {
  std::string_view run_list;
  long line = 0;
  std::string_view log;

  // "runs.txt, line 4, log run_150K.out"
  std::string describe() const {
    return std::string(run_list) + ", line " + std::to_string(line) + ", log " + std::string(log);
  }
};

}  // namespace rqo
