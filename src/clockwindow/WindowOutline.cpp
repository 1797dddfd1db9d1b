#include "clockwindow/WindowOutline.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

#include "desktop/Twips.h"
#include "oldruntime/Rounding.h"

namespace kwemo {

namespace {

// Rectangle (x1, y1)-(x2, y2), right and bottom edges excluded, with each corner pixel cut off.
QRegion roundedStrip(int x1, int y1, int x2, int y2) {
  const QRect box(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
  if (box.isEmpty()) return {};
  if (box.width() < 3 || box.height() < 3) return QRegion(box);
  return QRegion(box.adjusted(1, 0, -1, 0)).united(QRegion(box.adjusted(0, 1, 0, -1)));
}

// An ellipse filling `box`, one span per pixel row: Qt's own elliptic region is a coarse
// polygon whose facets show on a window outline.
QRegion ellipseRegion(const QRect& box) {
  const double a = box.width() / 2.0;
  const double b = box.height() / 2.0;
  QRegion region;
  for (int row = 0; row < box.height(); ++row) {
    const double dy = (row + 0.5 - b) / b;
    const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    const int left = static_cast<int>(std::lround(a - half));
    const int right = static_cast<int>(std::lround(a + half));
    if (right > left) region += QRect(box.x() + left, box.y() + row, right - left, 1);
  }
  return region;
}

}  // namespace

int frameOffsetFor(double outerWidthTwips, double scaleWidth, double twipsPerPixel) {
  const int total = toInt32Clamped((outerWidthTwips - twipsPerPixel * scaleWidth) / twipsPerPixel);
  return total / 2 + 1;
}

QRegion ellipticOutline(int frameOffset, double scaleWidth, double scaleHeight,
                        std::optional<StripBox> strip) {
  const int b = frameOffset;
  const QRect box(QPoint(b, b),
                  QPoint(toInt32Clamped(b + scaleWidth) - 1, toInt32Clamped(b + scaleHeight) - 1));
  QRegion outline = box.isEmpty() ? QRegion() : ellipseRegion(box);
  if (strip) {
    outline = outline.united(roundedStrip(b, toInt32Clamped(b + strip->top),
                                          toInt32Clamped(b + strip->width),
                                          toInt32Clamped(b + strip->top + strip->height)));
  }
  return outline;
}

WindowOutline::WindowOutline(QWidget& window, QWidget& clientArea, QWidget& strip)
    : window_(window), client_(clientArea), strip_(strip) {}

int WindowOutline::computeFrameOffset() {
  const double tpp = twipsPerPixelX(window_);
  frameOffset_ = frameOffsetFor(pixelsToTwips(window_.width(), tpp), client_.width(), tpp);
  return frameOffset_;
}

void WindowOutline::ChangeRgn(bool mode, bool msgmode, bool /*delreg*/) {
  computeFrameOffset();
  if (mode) {
    std::optional<StripBox> strip;
    if (msgmode) {
      strip = StripBox{static_cast<double>(strip_.y()), static_cast<double>(strip_.width()),
                       static_cast<double>(strip_.height())};
    }
    currentRgn_ = ellipticOutline(frameOffset_, client_.width(), client_.height(), strip);
    window_.setMask(currentRgn_);
  } else {
    currentRgn_ = QRegion();
    window_.clearMask();
  }
  // A mask on a shown window reaches the server with the next repaint.
  window_.update();
}

}  // namespace kwemo
