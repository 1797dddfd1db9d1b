#pragma once

#include "oldruntime/Rounding.h"

class QScreen;
class QWidget;

namespace kwemo {

// Window geometry is kept in twips (1/1440 inch); the factor is 1440 / logical dpi, 15 at 96 dpi.
constexpr double kTwipsPerInch = 1440.0;

// Horizontal and vertical twips per pixel of a screen (15 without a screen).
double twipsPerPixelX(const QScreen* screen);
double twipsPerPixelY(const QScreen* screen);
// Of the screen the widget is on (the primary screen before it is shown).
double twipsPerPixelX(const QWidget& widget);
double twipsPerPixelY(const QWidget& widget);

// Twips to whole pixels, halves to even.
inline int twipsToPixels(double twips, double twipsPerPixel) {
  return toInt32Clamped(twips / twipsPerPixel);
}
inline double pixelsToTwips(double pixels, double twipsPerPixel) { return pixels * twipsPerPixel; }

}  // namespace kwemo
