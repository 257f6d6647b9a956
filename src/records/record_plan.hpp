#pragma once

#include <array>
#include <cstddef>

#include "records/edit_descriptor.hpp"

namespace rqo {

// Where one value of a record goes: its descriptor, the blanks of the nX before it, and the
// column it starts at (meaningful while every field before it has a fixed width).
struct FieldPlacement {
  std::size_t descriptor = 0;
  std::size_t blanks_before = 0;
  std::size_t column = 0;
};

// How `Count` values are laid out under an edit list, worked out when the code is built. The
// record ends at the first data descriptor left without a value, after the nX before it.
template <std::size_t Count>
struct RecordPlan {
  std::array<FieldPlacement, Count> fields{};
  std::size_t trailing_blanks = 0;
  // The columns of every blank and every field of fixed width.
  std::size_t width = 0;
  // No field is an A without a width, so the record is always `width` columns.
  bool fixed_width = true;
  // The list has fewer data descriptors than there are values.
  bool too_many_values = false;
};

template <std::size_t Count, std::size_t N>
constexpr RecordPlan<Count> plan_record(const std::array<EditDescriptor, N>& list) {
  RecordPlan<Count> plan;
  std::size_t value = 0;
  std::size_t blanks = 0;
  for (std::size_t i = 0; i < N; ++i) {
    const EditDescriptor& d = list[i];
    if (d.kind == EditKind::Skip) {
      blanks += static_cast<std::size_t>(d.width);
      continue;
    }
    if (value == Count) break;
    plan.width += blanks;
    plan.fields[value] = FieldPlacement{i, blanks, plan.width};
    blanks = 0;
    if (d.kind == EditKind::Text) {
      plan.fixed_width = false;
    } else {
      plan.width += static_cast<std::size_t>(d.width);
    }
    ++value;
  }
  plan.too_many_values = value < Count;
  plan.trailing_blanks = blanks;
  plan.width += blanks;
  return plan;
}

}  // namespace rqo
