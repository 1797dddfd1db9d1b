#pragma once

#include <QRegion>

#include <optional>

class QWidget;

namespace kwemo {

// Frame width of one side in pixels, plus 1: from the window's outer width in twips and its
// client width in pixels (a 4-pixel frame gives 5).
int frameOffsetFor(double outerWidthTwips, double scaleWidth, double twipsPerPixel);

// The message strip inside the client area, in client pixels; its left edge is client x 0.
struct StripBox {
  double top = 0;
  double width = 0;
  double height = 0;
};

// The elliptic outline in window coordinates (origin at the outer top left corner): an ellipse
// in the client area's box shifted by the frame offset, united with the strip as a rectangle
// with 1-pixel rounded corners when one is given.
QRegion ellipticOutline(int frameOffset, double scaleWidth, double scaleHeight,
                        std::optional<StripBox> strip = std::nullopt);

// `ChangeRgn` of the clock window: gives the window its outline. The window is the top-level
// widget with its frame; the client area holds the face and the strip.
class WindowOutline {
 public:
  WindowOutline(QWidget& window, QWidget& clientArea, QWidget& strip);

  // mode: elliptic (true) or the plain rectangle with its frame (false); msgmode: widen the
  // ellipse by the strip; delreg: accepted for the callers' sake, without effect.
  void ChangeRgn(bool mode, bool msgmode, bool delreg);

  // Recomputes the frame offset from the window's current size.
  int computeFrameOffset();
  int FrameOffset() const { return frameOffset_; }
  // The outline last given to the window; empty after a call with `mode` false.
  const QRegion& CurrentRgn() const { return currentRgn_; }

 private:
  QWidget& window_;
  QWidget& client_;
  QWidget& strip_;
  int frameOffset_ = 0;
  QRegion currentRgn_;
};

}  // namespace kwemo
