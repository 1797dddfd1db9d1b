#pragma once

#include <algorithm>
#include <cstdint>

namespace kwemo {

// A 24-bit colour as the settings and the drawing code pass it: 0x00BBGGRR, red in the low byte.
using Rgb = std::uint32_t;

// Components outside 0-255 (only a hand-edited store has them) are clamped, not wrapped.
constexpr Rgb RGB(int r, int g, int b) {
  auto c = [](int v) { return static_cast<Rgb>(std::clamp(v, 0, 255)); };
  return c(r) | (c(g) << 8) | (c(b) << 16);
}

constexpr int redOf(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace kwemo
