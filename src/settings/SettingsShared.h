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

// The record through which the settings dialog and the colour chooser pass a colour.
struct ColorExchangeRecord {
  ColorTriplet color;
  // Written only by the chooser: true after Cancel, false after OK.
  bool cancelled = false;
};

// Shared for the whole run: the caller fills the colour, the chooser answers in it.
extern ColorExchangeRecord ColorExchange;

// True from the moment the settings dialog starts loading until it closes; while it is true the
// clock window's resize step reports its new inner size to the dialog.
extern bool SettingOpen;

}  // namespace kwemo
