#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "surface/DrawSurface.h"

namespace kwemo {

// Puts a DrawSurface on screen: paintEvent copies the surface's image, nothing else draws here.
// Only what the surface reports as drawn is copied, never compared.
// The view renders at the screen's device pixel ratio (crisp on high-DPI screens) while the
// surface's coordinates stay logical. By default the surface follows the view's size.
class SurfaceView : public QWidget {
  Q_OBJECT

 public:
  explicit SurfaceView(DrawSurface& surface, QWidget* parent = nullptr);

  DrawSurface& surface() const { return *surface_; }

  // When on (default), resizing the view resizes the surface to the same logical size.
  void setSurfaceFollowsSize(bool follow) { followSize_ = follow; }
  // Schedules a repaint with the surface's current image (coalesced, like QWidget::update).
  void present();
  // Repaints changed (empty: all) at once (the surface's Refresh): what was drawn is on screen
  // when this returns.
  void presentNow(const QRegion& changed = QRegion());
  // How many times the image was painted to the screen.
  int pushedCount() const { return pushed_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void matchPixelRatio();

  QPointer<DrawSurface> surface_;
  bool followSize_ = true;
  int pushed_ = 0;
};

}  // namespace kwemo
