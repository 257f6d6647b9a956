#include "records/formatted_output.hpp"

#include <stdexcept>

#include "records/fixed_point.hpp"
#include "records/integer_field.hpp"

namespace rqo {

namespace {

template <typename T>
const T& value_of(const FieldValue& value, const char* descriptor) {
  const T* held = std::get_if<T>(&value);
  if (held == nullptr) {
    throw std::invalid_argument(std::string("edit descriptor ") + descriptor +
                                " given a value of another kind");
  }
  return *held;
}

// Appends `width` columns to the record and returns where they start.
char* grow(std::string& record, int width) {
  const std::size_t start = record.size();
  record.resize(start + static_cast<std::size_t>(width));
  return record.data() + start;
}

void append_text_width(std::string& record, std::string_view text, int width) {
  const std::size_t w = static_cast<std::size_t>(width);
  if (text.size() >= w) {
    record.append(text.substr(0, w));
  } else {
    record.append(w - text.size(), ' ');
    record.append(text);
  }
}

// One reused record buffer for the writes to sinks.
std::string& scratch_record() {
  static std::string record;
  return record;
}

}  // namespace

void format_record(std::string& record, const EditList& list, std::span<const FieldValue> values) {
  record.clear();
  std::size_t next = 0;
  for (const EditDescriptor& d : list.descriptors()) {
    if (d.kind == EditKind::Skip) {
      record.append(static_cast<std::size_t>(d.width), ' ');
      continue;
    }
    // The values have run out: the record ends at this data descriptor.
    if (next == values.size()) break;
    const FieldValue& value = values[next++];
    switch (d.kind) {
      case EditKind::Fixed:
        render_fixed(grow(record, d.width), value_of<float>(value, "F"), d.width, d.decimals);
        break;
      case EditKind::Integer:
        render_integer(grow(record, d.width), value_of<std::int32_t>(value, "I"), d.width);
        break;
      case EditKind::Text:
        record.append(value_of<std::string_view>(value, "A"));
        break;
      case EditKind::TextWidth:
        append_text_width(record, value_of<std::string_view>(value, "A"), d.width);
        break;
      case EditKind::Skip:
        break;
    }
  }
}

void write_formatted(RecordSink& sink, const EditList& list, std::span<const FieldValue> values) {
  std::string& record = scratch_record();
  format_record(record, list, values);
  sink.write_record(record);
}

void write_formatted(RecordSink& sink, const EditList& list,
                     std::initializer_list<FieldValue> values) {
  write_formatted(sink, list, std::span<const FieldValue>(values.begin(), values.size()));
}

void write_formatted(TextHolder& target, const EditList& list,
                     std::initializer_list<FieldValue> values) {
  std::string& record = scratch_record();
  format_record(record, list, std::span<const FieldValue>(values.begin(), values.size()));
  target.assign(record);
}

void write_list(RecordSink& sink, std::initializer_list<std::string_view> texts) {
  std::string& record = scratch_record();
  record.assign(1, ' ');
  for (std::string_view text : texts) record.append(text);
  sink.write_record(record);
}

}  // namespace rqo
