#pragma once

#include "settings/model/ColorTriplet.h"

namespace kwemo {

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
