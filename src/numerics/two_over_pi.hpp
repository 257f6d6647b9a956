#pragma once

#include <array>
#include <cstdint>

namespace rqo {

// The first 1,344 binary digits of 2/pi after the binary point, 64 to a word, most significant
// first: enough to reduce any finite double exactly. Made by scripts/make_two_over_pi.py.
inline constexpr std::array<std::uint64_t, 21> kTwoOverPiBits = {
    0xA2F9836E4E441529, 0xFC2757D1F534DDC0, 0xDB6295993C439041, 0xFE5163ABDEBBC561,
    0xB7246E3A424DD2E0, 0x06492EEA09D1921C, 0xFE1DEB1CB129A73E, 0xE88235F52EBB4484,
    0xE99C7026B45F7E41, 0x3991D639835339F4, 0x9C845F8BBDF9283B, 0x1FF897FFDE05980F,
    0xEF2F118B5A0A6D1F, 0x6D367ECF27CB09B7, 0x4F463F669E5FEA2D, 0x7527BAC7EBE5F17B,
    0x3D0739F78A5292EA, 0x6BFB5FB11F8D5D08, 0x56033046FC7B6BAB, 0xF0CFBC209AF4361D,
    0xA9E391615EE61B08,
};

}  // namespace rqo
