#pragma once

namespace rqo {

// Single-precision cosines of an angle in degrees. The two differ in how the angle becomes
// radians, so their results differ in the last place for some angles; each caller's digits
// depend on its own one. Both take the cosine from portable_cos, so their bits are the same
// on every platform.

// The volume's cosine: degrees times the double nearest to pi/180.
float cos_degrees(float degrees);

// The cell transformation's cosine: (pi * degrees) / 180 formed from single-precision pi and
// 1/180, as that formula is written.
float cos_degrees_single_pi(float degrees);

}  // namespace rqo
