#include "clockwindow/WindowPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "oldruntime/Rounding.h"

namespace kwemo {

QPoint pullBackOntoScreen(const QRect& window, const QRect& screen) {
  int left = window.x();
  int top = window.y();
  const int screenRight = screen.x() + screen.width();
  const int screenBottom = screen.y() + screen.height();
  if (screenRight < left + window.width()) left = screenRight - window.width();
  if (screenBottom < top + window.height()) top = screenBottom - window.height();
  if (left < screen.x()) left = screen.x();
  if (top < screen.y()) top = screen.y();
  return {left, top};
}

QPoint bringOntoScreens(const QRect& window, const QList<QRect>& screens) {
  if (screens.isEmpty()) return window.topLeft();
  const QRect* nearest = nullptr;
  double best = std::numeric_limits<double>::max();
  for (const QRect& screen : screens) {
    if (screen.intersects(window)) return window.topLeft();
    // Gap between the two rectangles along each axis (0 where they overlap on that axis).
    const double dx = std::max({0, screen.left() - window.right(), window.left() - screen.right()});
    const double dy = std::max({0, screen.top() - window.bottom(), window.top() - screen.bottom()});
    const double distance = std::hypot(dx, dy);
    if (distance < best) {
      best = distance;
      nearest = &screen;
    }
  }
  return pullBackOntoScreen(window, *nearest);
}

QRect geometryFromTwips(double left, double top, double width, double height, double twipsPerPixelX,
                        double twipsPerPixelY, const QSize& minimum) {
  auto px = [](double twips, double tpp) {
    const double v = std::isfinite(twips / tpp) ? std::clamp(twips / tpp, -1.0e6, 1.0e6) : 0.0;
    return toInt32Clamped(v);
  };
  return QRect(px(left, twipsPerPixelX), px(top, twipsPerPixelY),
               std::max(px(width, twipsPerPixelX), minimum.width()),
               std::max(px(height, twipsPerPixelY), minimum.height()));
}

}  // namespace kwemo
