#include "records/formatted_output.hpp"

namespace rqo {

namespace {

// One reused record buffer for the list-directed writes.
std::string& scratch_record() {
  static std::string record;
  return record;
}

}  // namespace

void write_list(RecordSink& sink, std::initializer_list<std::string_view> texts) {
  std::string& record = scratch_record();
  record.assign(1, ' ');
  for (std::string_view text : texts) record.append(text);
  sink.write_record(record);
}

}  // namespace rqo
