#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "records/edit_list.hpp"
#include "records/record_sink.hpp"
#include "records/text_holder.hpp"

namespace rqo {

using FieldValue = std::variant<float, std::int32_t, std::string_view>;

// Renders the values under the edit list as one record into `record` (replacing its
// content). When the values run out, the record ends at the next data descriptor.
void format_record(std::string& record, const EditList& list, std::span<const FieldValue> values);

// One formatted record to a sink.
void write_formatted(RecordSink& sink, const EditList& list, std::span<const FieldValue> values);
void write_formatted(RecordSink& sink, const EditList& list,
                     std::initializer_list<FieldValue> values);

// One formatted record into a text value (stored as by text assignment).
void write_formatted(TextHolder& target, const EditList& list,
                     std::initializer_list<FieldValue> values);

// One list-directed record of texts: a blank, then the texts one after another.
void write_list(RecordSink& sink, std::initializer_list<std::string_view> texts);

}  // namespace rqo
