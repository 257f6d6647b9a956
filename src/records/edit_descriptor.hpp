#pragma once

#include <cstdint>

namespace rqo {

enum class EditKind : std::uint8_t {
  Fixed,      // Fw.d
  Integer,    // Iw
  Text,       // A
  TextWidth,  // Aw
  Skip,       // nX
};

// One edit descriptor with its repeat count already expanded away.
struct EditDescriptor {
  EditKind kind;
  int width = 0;     // w of Fw.d, Iw, Aw; n of nX
  int decimals = 0;  // d of Fw.d

  constexpr bool takes_value() const { return kind != EditKind::Skip; }
  friend constexpr bool operator==(const EditDescriptor&, const EditDescriptor&) = default;
};

}  // namespace rqo
