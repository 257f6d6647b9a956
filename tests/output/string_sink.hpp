#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/record_sink.hpp"

namespace rqo::testing {

// Collects the records written to it, one string per record.
class StringSink : public RecordSink {
 public:
  void write_record(std::string_view record) override { records.emplace_back(record); }
  std::vector<std::string> records;
};

}  // namespace rqo::testing
