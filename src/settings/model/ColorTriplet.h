#pragma once

#include <cstdint>

namespace kwemo {

// One colour as the settings dialog and the colour chooser hand it over: three components
// 0-255, always copied as a whole.
struct ColorTriplet {
  std::int16_t red = 0;
  std::int16_t green = 0;
  std::int16_t blue = 0;

  bool operator==(const ColorTriplet&) const = default;
};

}  // namespace kwemo
