#include "support/edit_list.hpp"

#include "records/edit_list_parse.hpp"

namespace rqo::testing {

namespace {

// The grammar's output into a vector.
class DescriptorVector {
 public:
  explicit DescriptorVector(std::vector<EditDescriptor>& items) : items_(items) {}

  std::size_t size() const { return items_.size(); }
  void append(const EditDescriptor& d, std::size_t count) { items_.insert(items_.end(), count, d); }
  void repeat_tail(std::size_t from, std::size_t times) {
    const std::size_t end = items_.size();
    items_.reserve(end + (end - from) * times);
    for (std::size_t t = 0; t < times; ++t) {
      items_.insert(items_.end(), items_.begin() + static_cast<std::ptrdiff_t>(from),
                    items_.begin() + static_cast<std::ptrdiff_t>(end));
    }
  }

 private:
  std::vector<EditDescriptor>& items_;
};

}  // namespace

EditList EditList::parse(std::string_view text) {
  EditList list;
  DescriptorVector out(list.descriptors_);
  parse_edit_list(text, out);
  return list;
}

}  // namespace rqo::testing
