#pragma once

#include <string_view>
#include <vector>

#include "records/edit_descriptor.hpp"

namespace rqo::testing {

// An edit list given as a text at run time, such as "(2X,A,F8.2,5X,A,3(2X,3F4.1),A)",
// flattened into the sequence of descriptors it stands for (rD and r(...) expanded). The
// program's own edit lists are literals, parsed when the code is built (kEditList in
// records/edit_list_literal.hpp); the tests parse texts with the same grammar and code.
class EditList {
 public:
  // Throws std::invalid_argument on a text that is not an edit list of the supported forms.
  static EditList parse(std::string_view text);

  const std::vector<EditDescriptor>& descriptors() const { return descriptors_; }

 private:
  std::vector<EditDescriptor> descriptors_;
};

}  // namespace rqo::testing
