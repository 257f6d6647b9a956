#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "records/edit_list_literal.hpp"
#include "records/fixed_point.hpp"
#include "records/fixed_string.hpp"
#include "records/integer_field.hpp"
#include "records/record_plan.hpp"
#include "records/record_sink.hpp"
#include "records/text_holder.hpp"

namespace rqo {

namespace formatted_output_detail {

template <FixedString Text, std::size_t Count>
inline constexpr RecordPlan<Count> kPlan = plan_record<Count>(kEditList<Text>);

// Whether a descriptor of this kind takes a value of type T; the build stops where it does
// not. Used as an `if constexpr` condition, so the message is the first error, and the only one.
template <EditKind Kind, typename T>
constexpr bool takes_value_of() {
  if constexpr (Kind == EditKind::Fixed) {
    static_assert(std::is_same_v<T, float>, "an F edit descriptor takes a float");
    return std::is_same_v<T, float>;
  } else if constexpr (Kind == EditKind::Integer) {
    static_assert(std::is_same_v<T, std::int32_t>, "an I edit descriptor takes a std::int32_t");
    return std::is_same_v<T, std::int32_t>;
  } else {
    static_assert(std::convertible_to<const T&, std::string_view>,
                  "an A edit descriptor takes a text (convertible to std::string_view)");
    return std::convertible_to<const T&, std::string_view>;
  }
}

// Renders `value` under D into exactly D.width columns at `out`.
template <EditDescriptor D, typename T>
inline void render_field(char* out, const T& value) {
  if constexpr (D.kind == EditKind::Fixed) {
    render_fixed(out, value, D.width, D.decimals);
  } else if constexpr (D.kind == EditKind::Integer) {
    render_integer(out, value, D.width);
  } else {
    // Aw: the first w characters, or the text right-aligned after blanks.
    const std::string_view text(value);
    const auto width = static_cast<std::size_t>(D.width);
    if (text.size() >= width) {
      text.copy(out, width);
    } else {
      const std::size_t blanks = width - text.size();
      std::char_traits<char>::assign(out, blanks, ' ');
      text.copy(out + blanks, text.size());
    }
  }
}

// Value I of a record of fixed width, into the record's columns at `line`.
template <FixedString Text, std::size_t Count, std::size_t I, typename T>
inline void place_field(char* line, const T& value) {
  constexpr FieldPlacement place = kPlan<Text, Count>.fields[I];
  constexpr EditDescriptor d = kEditList<Text>[place.descriptor];
  if constexpr (takes_value_of<d.kind, T>()) render_field<d>(line + place.column, value);
}

// Value I of any record, appended with the blanks before it.
template <FixedString Text, std::size_t Count, std::size_t I, typename T>
inline void append_field(std::string& record, const T& value) {
  constexpr FieldPlacement place = kPlan<Text, Count>.fields[I];
  constexpr EditDescriptor d = kEditList<Text>[place.descriptor];
  if constexpr (takes_value_of<d.kind, T>()) {
    if constexpr (place.blanks_before != 0) record.append(place.blanks_before, ' ');
    if constexpr (d.kind == EditKind::Text) {
      record.append(std::string_view(value));
    } else {
      const std::size_t start = record.size();
      record.resize(start + static_cast<std::size_t>(d.width));
      render_field<d>(record.data() + start, value);
    }
  }
}

template <FixedString Text, std::size_t... I, typename... Values>
inline void place_fields([[maybe_unused]] char* line, std::index_sequence<I...>,
                         const Values&... values) {
  (place_field<Text, sizeof...(Values), I>(line, values), ...);
}

template <FixedString Text, std::size_t... I, typename... Values>
inline void append_fields([[maybe_unused]] std::string& record, std::index_sequence<I...>,
                          const Values&... values) {
  (append_field<Text, sizeof...(Values), I>(record, values), ...);
}

}  // namespace formatted_output_detail

// Renders the values under the edit list literal as one record into `record` (replacing its
// content): format_record<"(F6.2,1F20.5)">(record, temperature, value). Both the list and the
// kind of each value are checked when the code is built: F takes a float, I a std::int32_t,
// A and Aw a text. There may be fewer values than data descriptors: the record then ends at
// the first data descriptor without a value, after the nX before it. Allocates nothing once
// `record` has grown to the record's length.
template <FixedString Text, typename... Values>
void format_record(std::string& record, const Values&... values) {
  namespace detail = formatted_output_detail;
  constexpr std::size_t kCount = sizeof...(Values);
  constexpr const RecordPlan<kCount>& plan = detail::kPlan<Text, kCount>;
  static_assert(!plan.too_many_values, "more values than the edit list has data descriptors");
  if constexpr (plan.too_many_values) {
    return;
  } else if constexpr (plan.fixed_width) {
    record.assign(plan.width, ' ');
    detail::place_fields<Text>(record.data(), std::index_sequence_for<Values...>{}, values...);
  } else {
    record.clear();
    record.reserve(plan.width);
    detail::append_fields<Text>(record, std::index_sequence_for<Values...>{}, values...);
    record.append(plan.trailing_blanks, ' ');
  }
}

// One formatted record to a sink.
template <FixedString Text, typename... Values>
void write_formatted(RecordSink& sink, const Values&... values) {
  std::string record;
  format_record<Text>(record, values...);
  sink.write_record(record);
}

// One formatted record into a text value (stored as by text assignment).
template <FixedString Text, typename... Values>
void write_formatted(TextHolder& target, const Values&... values) {
  std::string record;
  format_record<Text>(record, values...);
  target.assign(record);
}

// What (A1,nA1) writes from one-character texts: `first`, then `marks` copies of `mark`.
inline void format_ruler(std::string& record, char first, char mark, std::size_t marks) {
  record.assign(1, first);
  record.append(marks, mark);
}

// One list-directed record of texts: a blank, then the texts one after another.
void write_list(RecordSink& sink, std::initializer_list<std::string_view> texts);

}  // namespace rqo
