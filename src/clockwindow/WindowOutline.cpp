#include "clockwindow/WindowOutline.h"

#include <QWidget>

#include <cmath>

#include "platform/Twips.h"

namespace kwemo {

namespace {

int rounded(double v) { return static_cast<int>(std::nearbyint(v)); }

// Rectangle (x1, y1)-(x2, y2), right and bottom edges excluded, with each corner pixel cut off.
QRegion roundedStrip(int x1, int y1, int x2, int y2) {
  const QRect box(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
  if (box.isEmpty()) return {};
  if (box.width() < 3 || box.height() < 3) return QRegion(box);
  return QRegion(box.adjusted(1, 0, -1, 0)).united(QRegion(box.adjusted(0, 1, 0, -1)));
}

}  // namespace

int frameOffsetFor(double outerWidthTwips, double scaleWidth, double twipsPerPixel) {
  const int total = rounded((outerWidthTwips - twipsPerPixel * scaleWidth) / twipsPerPixel);
  return total / 2 + 1;
}

QRegion ellipticOutline(int frameOffset, double scaleWidth, double scaleHeight,
                        std::optional<StripBox> strip) {
  const int b = frameOffset;
  const QRect box(QPoint(b, b), QPoint(rounded(b + scaleWidth) - 1, rounded(b + scaleHeight) - 1));
  QRegion outline = box.isEmpty() ? QRegion() : QRegion(box, QRegion::Ellipse);
  if (strip) {
    outline = outline.united(roundedStrip(b, rounded(b + strip->top),
                                          rounded(b + strip->width),
                                          rounded(b + strip->top + strip->height)));
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
