#include "surface/view/SurfaceView.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace kwemo {

SurfaceView::SurfaceView(DrawSurface& surface, QWidget* parent)
    : QWidget(parent), surface_(&surface) {
  // Every pixel comes from the image: no background erase, no flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&surface, &DrawSurface::refreshed, this, &SurfaceView::presentNow);
  connect(&surface, &DrawSurface::resized, this, &SurfaceView::present);
}

QSize SurfaceView::sizeHint() const {
  return surface_ ? QSize(surface_->width(), surface_->height()) : QWidget::sizeHint();
}

void SurfaceView::present() { update(); }

void SurfaceView::presentNow(const QRegion& changed) {
  if (changed.isEmpty())
    repaint();
  else
    repaint(changed);
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (!surface_) {
    p.fillRect(event->rect(), Qt::black);
    return;
  }
  const QImage& image = surface_->image();
  p.setCompositionMode(QPainter::CompositionMode_Source);
  const qreal ratio = image.devicePixelRatio();
  // Parts of the widget the surface does not cover (it does not follow the size).
  const QRect covered(QPoint(0, 0), image.deviceIndependentSize().toSize());
  for (const QRect& r : event->region()) {
    const QRect part = r & covered;
    if (!part.isEmpty())
      p.drawImage(
          QPointF(part.topLeft()), image,
          QRectF(part.x() * ratio, part.y() * ratio, part.width() * ratio, part.height() * ratio));
  }
  const QRegion rest = event->region().subtracted(covered);
  for (const QRect& r : rest) p.fillRect(r, palette().window());
  ++pushed_;
  // Moved to a screen with another scale factor: draw the next frames at its ratio.
  if (devicePixelRatioF() != surface_->devicePixelRatio()) matchPixelRatio();
}

void SurfaceView::matchPixelRatio() {
  if (surface_) surface_->setDevicePixelRatio(devicePixelRatioF());
}

void SurfaceView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  matchPixelRatio();
  if (followSize_ && surface_) surface_->resize(width(), height());
}

void SurfaceView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  matchPixelRatio();
}

}  // namespace kwemo
