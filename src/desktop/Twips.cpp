#include "desktop/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kwemo {

namespace {

constexpr double kFallbackTwipsPerPixel = 15.0;

double perPixel(double dpi) { return dpi > 0 ? kTwipsPerInch / dpi : kFallbackTwipsPerPixel; }

const QScreen* screenOf(const QWidget& widget) {
  if (const QScreen* s = widget.screen()) return s;
  return QGuiApplication::primaryScreen();
}

}  // namespace

double twipsPerPixelX(const QScreen* screen) {
  return screen ? perPixel(screen->logicalDotsPerInchX()) : kFallbackTwipsPerPixel;
}

double twipsPerPixelY(const QScreen* screen) {
  return screen ? perPixel(screen->logicalDotsPerInchY()) : kFallbackTwipsPerPixel;
}

double twipsPerPixelX(const QWidget& widget) { return twipsPerPixelX(screenOf(widget)); }
double twipsPerPixelY(const QWidget& widget) { return twipsPerPixelY(screenOf(widget)); }

}  // namespace kwemo
