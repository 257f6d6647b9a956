#include "records/formatted_output.hpp"

namespace rqo {

void write_list(RecordSink& sink, std::initializer_list<std::string_view> texts) {
  std::string record(1, ' ');
  for (std::string_view text : texts) record.append(text);
  sink.write_record(record);
}

}  // namespace rqo
