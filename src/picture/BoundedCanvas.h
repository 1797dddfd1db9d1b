#pragma once

// A paint device over an image for drawing that comes from a file: every shape is cut to the image
// (plus a margin that keeps the cuts out of sight) before it is rasterized, since the rasterizer's
// time grows with a shape's size, not with how much of it shows; and once a deadline has passed,
// nothing more is drawn and the canvas says so.

#include <QDeadlineTimer>
#include <QImage>
#include <QPaintDevice>
#include <memory>

namespace kwemo {

class BoundedCanvas : public QPaintDevice {
 public:
  BoundedCanvas(QImage* image, QDeadlineTimer deadline);
  ~BoundedCanvas() override;

  // True when some drawing was left out because the deadline had passed.
  bool expired() const;

  QPaintEngine* paintEngine() const override;

 protected:
  int metric(PaintDeviceMetric metric) const override;

 private:
  QImage* image_;
  std::unique_ptr<QPaintEngine> engine_;
};

}  // namespace kwemo
