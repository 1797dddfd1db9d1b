#include "picture/BoundedCanvas.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include "picture/ClipGeometry.h"

namespace kwemo {

namespace {

// Shapes arrive as paths (Qt turns rectangles, lines, polygons, ellipses and text into paths for an
// engine that takes paths) and leave as filled outlines in image coordinates, cut to the image.
class BoundedEngine : public QPaintEngine {
 public:
  BoundedEngine(QImage* image, QDeadlineTimer deadline)
      : QPaintEngine(QPaintEngine::AllFeatures), image_(image), deadline_(deadline) {}

  bool expired() const { return expired_; }

  bool begin(QPaintDevice*) override {
    if (!painter_.begin(image_)) return false;
    painter_.setPen(Qt::NoPen);
    return true;
  }
  bool end() override { return painter_.end(); }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& state) override {
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyPen) pen_ = state.pen();
    if (dirty & DirtyBrush) brush_ = state.brush();
    if (dirty & DirtyTransform) transform_ = state.transform();
    if (dirty & DirtyHints) painter_.setRenderHints(state.renderHints());
    if (dirty & DirtyCompositionMode) painter_.setCompositionMode(state.compositionMode());
    if (dirty & DirtyOpacity) painter_.setOpacity(state.opacity());
    if (dirty & DirtyClipPath)
      painter_.setClipPath(transform_.map(state.clipPath()), state.clipOperation());
    if (dirty & DirtyClipRegion)
      painter_.setClipRegion(transform_.map(state.clipRegion()), state.clipOperation());
    if (dirty & DirtyClipEnabled) painter_.setClipping(state.isClipEnabled());
  }

  void drawPath(const QPainterPath& path) override {
    if (late()) return;
    if (brush_.style() != Qt::NoBrush) fill(transform_.map(path), brush_);
    if (pen_.style() == Qt::NoPen) return;
    QPainterPathStroker stroker(pen_);
    if (pen_.isCosmetic()) {  // the width is in pixels, whatever the transform
      stroker.setWidth(std::max(1.0, pen_.widthF()));
      fill(stroker.createStroke(transform_.map(path)), pen_.brush(), Qt::WindingFill);
    } else {
      fill(transform_.map(stroker.createStroke(path)), pen_.brush(), Qt::WindingFill);
    }
  }

  void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
    if (late()) return;
    painter_.save();
    painter_.setTransform(transform_);
    painter_.drawPixmap(r, pixmap, source);
    painter_.restore();
  }
  void drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override {
    if (late()) return;
    painter_.save();
    painter_.setTransform(transform_);
    painter_.drawImage(r, image, source, flags);
    painter_.restore();
  }

 private:
  bool late() {
    if (!expired_ && deadline_.hasExpired()) expired_ = true;
    return expired_;
  }

  void fill(const QPainterPath& devicePath, const QBrush& brush,
            std::optional<Qt::FillRule> rule = std::nullopt) {
    const QRectF reach = QRectF(image_->rect()).adjusted(-4, -4, 4, 4);
    QPainterPath cut;
    cut.setFillRule(rule.value_or(devicePath.fillRule()));
    if (reach.contains(devicePath.controlPointRect())) {
      cut = devicePath;
      if (rule) cut.setFillRule(*rule);
    } else {
      for (const QPolygonF& polygon : devicePath.toSubpathPolygons())
        cut.addPolygon(ClipPolygon(polygon, reach));
    }
    QBrush mapped = brush;
    mapped.setTransform(brush.transform() * transform_);
    painter_.fillPath(cut, mapped);
  }

  QImage* image_;
  QDeadlineTimer deadline_;
  QPainter painter_;
  QPen pen_;
  QBrush brush_;
  QTransform transform_;
  bool expired_ = false;
};

}  // namespace

BoundedCanvas::BoundedCanvas(QImage* image, QDeadlineTimer deadline)
    : image_(image), engine_(std::make_unique<BoundedEngine>(image, deadline)) {}

BoundedCanvas::~BoundedCanvas() = default;

bool BoundedCanvas::expired() const {
  return static_cast<const BoundedEngine*>(engine_.get())->expired();
}

QPaintEngine* BoundedCanvas::paintEngine() const { return engine_.get(); }

int BoundedCanvas::metric(PaintDeviceMetric metric) const {
  switch (metric) {
    case PdmWidth:
      return image_->width();
    case PdmHeight:
      return image_->height();
    case PdmWidthMM:
      return image_->widthMM();
    case PdmHeightMM:
      return image_->heightMM();
    case PdmNumColors:
      return image_->colorCount();
    case PdmDepth:
      return image_->depth();
    case PdmDpiX:
    case PdmPhysicalDpiX:
      return image_->logicalDpiX();
    case PdmDpiY:
    case PdmPhysicalDpiY:
      return image_->logicalDpiY();
    case PdmDevicePixelRatio:
      return 1;
    case PdmDevicePixelRatioScaled:
      return static_cast<int>(devicePixelRatioFScale());
  }
  return 0;
}

}  // namespace kwemo
