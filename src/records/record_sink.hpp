#pragma once

#include <string_view>

namespace rqo {

// Where output records go: a file (records end with CR LF), the console (carriage control)
// or a string in tests. One call writes one whole record.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  virtual void write_record(std::string_view record) = 0;
};

}  // namespace rqo
