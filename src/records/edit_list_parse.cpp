#include "records/edit_list_parse.hpp"

#include <stdexcept>
#include <string>

namespace rqo {

void reject_edit_list(std::string_view text, const char* why, std::size_t column) {
  throw std::invalid_argument("edit list \"" + std::string(text) + "\": " + why + " at column " +
                              std::to_string(column));
}

}  // namespace rqo
