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

bool SurfaceView::changedSinceShown() const {
  if (!skipUnchanged_ || !surface_) return true;
  const QImage& now = surface_->image();
  return now.size() != shown_.size() || now.devicePixelRatio() != shown_.devicePixelRatio() ||
         now != shown_;
}

void SurfaceView::present() {
  if (changedSinceShown()) update();
}

void SurfaceView::presentNow() {
  if (changedSinceShown()) repaint();
}

void SurfaceView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  if (!surface_) {
    p.fillRect(event->rect(), Qt::black);
    return;
  }
  const QImage& image = surface_->image();
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(QPointF(0, 0), image);
  // Parts of the widget the surface does not cover (it does not follow the size).
  const QRect covered(QPoint(0, 0), image.deviceIndependentSize().toSize());
  const QRegion rest = QRegion(event->rect()).subtracted(covered);
  for (const QRect& r : rest) p.fillRect(r, palette().window());
  ++pushed_;
  if (skipUnchanged_) shown_ = image;
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
