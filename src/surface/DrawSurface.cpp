#include "surface/DrawSurface.h"

#include <QFontMetrics>
#include <QPen>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>

#include "oldruntime/RgbColor.h"
#include "picture/Picture.h"

namespace kwemo {

namespace {

// Larger sides would only come from a damaged size somewhere; 8192 keeps the image under 256 MB.
constexpr int kMaxSide = 8192;

// Halves to even, as every conversion to whole pixels on the old platform.
double toPixel(double v) { return std::nearbyint(v); }

// Whole pixels for an operation's record; far-off coordinates only need to stay far off.
int recordPixel(double v) { return static_cast<int>(std::clamp(toPixel(v), -1.0e7, 1.0e7)); }

// How far a pen of this width may ink beyond its geometry: half the width, the half-pixel shift
// of odd widths, the smoothed edge and the rounding of the end points.
int marginFor(int width) { return width / 2 + 3; }

// Long lines are split into pieces this long, so that a diagonal hand marks a strip, not a box.
constexpr double kAreaPiece = 64;

bool finite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

QPainter::CompositionMode compositionFor(int mode) {
  static constexpr std::array<QPainter::CompositionMode, 16> kModes{
      QPainter::RasterOp_ClearDestination,            // 1 black
      QPainter::RasterOp_NotSourceAndNotDestination,  // 2 ~(P|D)
      QPainter::RasterOp_NotSourceAndDestination,     // 3 ~P & D
      QPainter::RasterOp_NotSource,                   // 4 ~P
      QPainter::RasterOp_SourceAndNotDestination,     // 5 P & ~D
      QPainter::RasterOp_NotDestination,              // 6 ~D
      QPainter::RasterOp_SourceXorDestination,        // 7 P ^ D
      QPainter::RasterOp_NotSourceOrNotDestination,   // 8 ~(P&D)
      QPainter::RasterOp_SourceAndDestination,        // 9 P & D
      QPainter::RasterOp_NotSourceXorDestination,     // 10 ~(P^D)
      QPainter::CompositionMode_Destination,          // 11 D
      QPainter::RasterOp_NotSourceOrDestination,      // 12 ~P | D
      QPainter::CompositionMode_SourceOver,           // 13 P
      QPainter::RasterOp_SourceOrNotDestination,      // 14 P | ~D
      QPainter::RasterOp_SourceOrDestination,         // 15 P | D
      QPainter::RasterOp_SetDestination,              // 16 white
  };
  return kModes[static_cast<std::size_t>(mode - 1)];
}

QStringList splitLines(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t.split(QLatin1Char('\n'));
}

}  // namespace

DrawSurface::DrawSurface(int width, int height, QObject* parent) : QObject(parent) {
  fontName_ = QString::fromUtf8("ＭＳ Ｐゴシック");
  updateFont();
  rebuildImage(width, height, dpr_);
}

DrawSurface::~DrawSurface() { endDraw(); }

const QImage& DrawSurface::image() const {
  endDraw();
  applyClear();
  return image_;
}

void DrawSurface::applyClear() const {
  if (!pendingClear_) return;
  pendingClear_ = false;
  dropSharedContent();
  if (!image_.isNull()) image_.fill(toQColor(backColor_));
}

void DrawSurface::dropSharedContent() const {
  // A presenter still holds the last frame: start on new memory instead of copying what is
  // about to be overwritten.
  if (image_.isNull() || image_.isDetached()) return;
  QImage fresh(image_.size(), image_.format());
  fresh.setDevicePixelRatio(image_.devicePixelRatio());
  image_ = std::move(fresh);
}

void DrawSurface::rebuildImage(int width, int height, qreal dpr) {
  endDraw();
  ++changes_;
  applyClear();
  width = std::clamp(width, 0, kMaxSide);
  height = std::clamp(height, 0, kMaxSide);
  if (!(dpr >= 1.0 && dpr <= 8.0)) dpr = 1.0;
  const QSize device(static_cast<int>(std::lround(width * dpr)),
                     static_cast<int>(std::lround(height * dpr)));
  QImage next(device, QImage::Format_RGB32);
  if (!next.isNull()) {
    next.setDevicePixelRatio(dpr);
    next.fill(toQColor(backColor_));
    if (!image_.isNull()) {
      QPainter p(&next);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      if (dpr == dpr_) {
        p.drawImage(QPointF(0, 0), image_);
      } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(0, 0, width_, height_), image_);
      }
    }
  }
  image_ = std::move(next);
  width_ = width;
  height_ = height;
  dpr_ = dpr;
}

void DrawSurface::resize(int width, int height) {
  if (width == width_ && height == height_) return;
  rebuildImage(width, height, dpr_);
  emit resized();
}

void DrawSurface::setDevicePixelRatio(qreal ratio) {
  if (ratio == dpr_) return;
  rebuildImage(width_, height_, ratio);
  emit resized();
}

void DrawSurface::setBackColor(Rgb color) {
  backColor_ = color & 0xFFFFFF;
  // The old runtime erases a surface whose background colour is set.
  Cls();
}

bool DrawSurface::setDrawMode(int mode) {
  if (mode < 1 || mode > 16) return false;
  drawMode_ = mode;
  return true;
}

bool DrawSurface::setDrawWidth(int width) {
  if (width < 1) return false;
  drawWidth_ = width;
  return true;
}

void DrawSurface::setFontName(const QString& name) {
  fontName_ = name;
  updateFont();
}

bool DrawSurface::setFontSize(float points) {
  if (!(points > 0.0f && points <= 2048.0f)) return false;
  fontSize_ = points;
  updateFont();
  return true;
}

void DrawSurface::setFontBold(bool bold) {
  fontBold_ = bold;
  updateFont();
}

void DrawSurface::setFontItalic(bool italic) {
  fontItalic_ = italic;
  updateFont();
}

void DrawSurface::updateFont() {
  QFont f;
  f.setFamily(fontName_);
  // Points to pixels at 96 dpi, rounded as the old platform sized its fonts (8 pt is 11 px).
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(fontSize_ * 96.0 / 72.0))));
  f.setItalic(fontItalic_);
  // The substitution table maps the family only; the heavy weight is part of the face's look.
  const bool black = fontName_.compare(QLatin1String("Arial Black"), Qt::CaseInsensitive) == 0;
  f.setWeight(black ? QFont::Black : fontBold_ ? QFont::Bold : QFont::Normal);
  f.setStyleStrategy(QFont::PreferAntialias);
  font_ = f;
  f.setStyleStrategy(QFont::NoAntialias);
  aliasedFont_ = f;
  metrics_.emplace(font_);
  aliasedMetrics_.emplace(aliasedFont_);
  ++fontSerial_;
}

const QFont& DrawSurface::drawingFont() const { return drawMode_ == 13 ? font_ : aliasedFont_; }

const QFontMetrics& DrawSurface::drawingMetrics() const {
  return drawMode_ == 13 ? *metrics_ : *aliasedMetrics_;
}

QPainter* DrawSurface::openPainter() {
  if (!painter_) {
    applyClear();
    painter_ = std::make_unique<QPainter>(&image_);
    painter_->setBrush(Qt::NoBrush);
    if (clip_) painter_->setClipRegion(*clip_);
    penState_ = PenState{};
  }
  return painter_.get();
}

QPainter* DrawSurface::beginDraw(std::optional<Rgb> color, Shape kind) {
  if (image_.isNull() || drawMode_ == 11) return nullptr;  // 11 leaves the screen as it is
  QPainter* p = openPainter();
  // A one-pixel dot has nothing to smooth.
  const bool smooth = drawMode_ == 13 && !(kind == Shape::Dot && drawWidth_ == 1);
  // Aliased thin pens take Qt's one-pixel path, where coordinate n is pixel n. Everything else
  // is sampled at pixel centres: an odd width is shifted by half a pixel so that it centres on
  // pixel n; an even width stays on the pixel edge, where it covers whole pixels.
  const bool shifted = kind != Shape::Text && drawWidth_ % 2 == 1 && (smooth || drawWidth_ > 1);
  const Rgb rgb = color.value_or(foreColor_);
  // Painter state changes cost more than a small shape; only pass on what changed.
  PenState& st = penState_;
  if (st.mode != drawMode_) {
    p->setCompositionMode(compositionFor(drawMode_));
    st.mode = drawMode_;
  }
  if (st.smooth != static_cast<int>(smooth)) {
    p->setRenderHint(QPainter::Antialiasing, smooth);
    p->setRenderHint(QPainter::TextAntialiasing, smooth);
    st.smooth = smooth;
  }
  if (st.shifted != static_cast<int>(shifted)) {
    p->setTransform(shifted ? QTransform::fromTranslate(0.5, 0.5) : QTransform());
    st.shifted = shifted;
  }
  if (st.width != drawWidth_ || st.color != rgb) {
    p->setPen(QPen(toQColor(rgb), drawWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    st.width = drawWidth_;
    st.color = rgb;
  }
  return p;
}

void DrawSurface::endDraw() const {
  if (painter_) {
    painter_->end();
    painter_.reset();
  }
}

DrawOp DrawSurface::makeOp(DrawOp::Kind kind, std::optional<Rgb> color, QRect geometry, QRect area,
                           std::int64_t source, const QString& text) const {
  DrawOp op;
  op.kind = kind;
  op.mode = drawMode_;
  op.width = drawWidth_;
  op.color = color.value_or(foreColor_);
  op.source = source;
  op.geometry = geometry;
  op.text = text;
  op.area = area;
  return op;
}

int DrawSurface::penMargin() const { return marginFor(drawWidth_); }

bool DrawSurface::admit(const DrawOp& op) {
  if (recording_) {
    recording_->push_back(op);
    return false;
  }
  if (clip_ && !clip_->intersects(op.area)) return false;
  ++changes_;
  drawnSinceRefresh_ = true;
  return true;
}

void DrawSurface::beginRecording(std::vector<DrawOp>& ops) {
  saved_ = {drawWidth_, foreColor_, currentX_, currentY_};
  recording_ = &ops;
}

void DrawSurface::endRecording() {
  recording_ = nullptr;
  drawWidth_ = saved_.drawWidth;
  foreColor_ = saved_.foreColor;
  currentX_ = saved_.x;
  currentY_ = saved_.y;
}

void DrawSurface::setClip(const QRegion& clip) {
  endDraw();
  clip_ = clip;
}

void DrawSurface::clearClip() {
  endDraw();
  clip_.reset();
}

QRegion DrawSurface::areaOf(const DrawOp& op) {
  if (op.kind != DrawOp::Kind::Line) return QRegion(op.area);
  const QPointF a = op.geometry.topLeft(), b = op.geometry.bottomRight();
  const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
  const int pieces = static_cast<int>(std::clamp(std::ceil(length / kAreaPiece), 1.0, 256.0));
  const int m = marginFor(op.width);
  QRegion area;
  for (int i = 0; i < pieces; ++i) {
    const QPointF p = a + (b - a) * i / pieces, q = a + (b - a) * (i + 1) / pieces;
    area += QRectF(p, q).normalized().toAlignedRect().adjusted(-m, -m, m, m);
  }
  return area & op.area;
}

void DrawSurface::Cls() {
  currentX_ = 0;
  currentY_ = 0;
  const QRect all(0, 0, width_, height_);
  const qint64 size = (static_cast<qint64>(width_) << 32) | (height_ << 8) |
                      static_cast<qint64>(std::lround(dpr_ * 16) & 0xFF);
  if (!admit(makeOp(DrawOp::Kind::Clear, backColor_, all, all, size))) return;
  if (clip_) {
    QPainter* p = openPainter();
    p->setTransform(QTransform());
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->fillRect(all, toQColor(backColor_));
    penState_ = PenState{};
    return;
  }
  endDraw();
  pendingClear_ = true;
}

bool DrawSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color,
                       LineShape shape, LineEnd end) {
  if (end == LineEnd::Relative) {
    x2 += x1;
    y2 += y1;
  }
  if (!finite({x1, y1, x2, y2})) return false;
  currentX_ = x2;
  currentY_ = y2;
  const QPoint ra(recordPixel(x1), recordPixel(y1)), rb(recordPixel(x2), recordPixel(y2));
  const int m = penMargin();
  const QRect area = QRect(ra, rb).normalized().adjusted(-m, -m, m, m);
  const auto kind = shape == LineShape::Box ? DrawOp::Kind::Box : DrawOp::Kind::Line;
  if (!admit(makeOp(kind, color, QRect(ra, rb), area))) return true;
  QPainter* p = beginDraw(color, Shape::Stroke);
  if (!p) return true;
  const QPointF a(toPixel(x1), toPixel(y1));
  const QPointF b(toPixel(x2), toPixel(y2));
  if (shape == LineShape::Box)
    p->drawRect(QRectF(a, b).normalized());
  else
    p->drawLine(a, b);
  return true;
}

bool DrawSurface::LineTo(float x2, float y2, std::optional<Rgb> color, LineShape shape,
                         LineEnd end) {
  return Line(currentX_, currentY_, x2, y2, color, shape, end);
}

bool DrawSurface::Circle(float x, float y, float radius, std::optional<Rgb> color,
                         std::optional<float> aspect) {
  double rx = radius;
  double ry = radius;
  if (aspect) {
    const double a = std::fabs(static_cast<double>(*aspect));
    if (a < 1.0)
      ry = radius * a;
    else
      rx = radius / a;
  }
  if (!finite({x, y, rx, ry}) || radius < 0) return false;
  currentX_ = x;
  currentY_ = y;
  const double left = toPixel(x - rx), right = toPixel(x + rx);
  const double top = toPixel(y - ry), bottom = toPixel(y + ry);
  const QRect box(QPoint(recordPixel(left), recordPixel(top)),
                  QPoint(recordPixel(right), recordPixel(bottom)));
  const int m = penMargin();
  if (!admit(makeOp(DrawOp::Kind::Ellipse, color, box, box.adjusted(-m, -m, m, m)))) return true;
  QPainter* p = beginDraw(color, Shape::Stroke);
  if (!p) return true;
  p->drawEllipse(QRectF(left, top, right - left, bottom - top));
  return true;
}

bool DrawSurface::PSet(float x, float y, std::optional<Rgb> color) {
  if (!finite({x, y})) return false;
  currentX_ = x;
  currentY_ = y;
  const QPoint at(recordPixel(x), recordPixel(y));
  const int m = penMargin();
  if (!admit(makeOp(DrawOp::Kind::Dot, color, QRect(at, at), QRect(at, at).adjusted(-m, -m, m, m))))
    return true;
  if (drawMode_ == 13 && drawWidth_ == 1 && dpr_ == 1.0) {
    // One copied pixel: a painter call would cost many times the pixel (48 minute dots).
    applyClear();
    const double px = toPixel(x), py = toPixel(y);
    if (px >= 0 && py >= 0 && px < width_ && py < height_ && (!clip_ || clip_->contains(at)))
      image_.setPixel(static_cast<int>(px), static_cast<int>(py),
                      toQColor(color.value_or(foreColor_)).rgb());
    return true;
  }
  QPainter* p = beginDraw(color, Shape::Dot);
  if (!p) return true;
  // A point with a round cap is a filled disc of the pen width, drawn in one fill.
  p->drawPoint(QPointF(toPixel(x), toPixel(y)));
  return true;
}

QImage DrawSurface::stretched(const QImage& picture, int width, int height) const {
  const QSize device(static_cast<int>(std::lround(width * dpr_)),
                     static_cast<int>(std::lround(height * dpr_)));
  QImage copy = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  copy.setDevicePixelRatio(dpr_);
  return copy;
}

const QImage* DrawSurface::stretchedCopy(const QImage& picture, int width, int height) {
  const QSize device(static_cast<int>(std::lround(width * dpr_)),
                     static_cast<int>(std::lround(height * dpr_)));
  if (stretchKey_ != picture.cacheKey() || stretchSize_ != device || stretched_.isNull()) {
    stretched_ = stretched(picture, width, height);
    stretchKey_ = picture.cacheKey();
    stretchSize_ = device;
  }
  return stretched_.isNull() ? nullptr : &stretched_;
}

bool DrawSurface::PaintPicture(const QImage& picture, float x, float y) {
  const QSizeF own = picture.deviceIndependentSize();
  return PaintPicture(picture, x, y, static_cast<float>(own.width()),
                      static_cast<float>(own.height()));
}

bool DrawSurface::PaintPicture(const QImage& picture, float x, float y, float width, float height) {
  if (picture.isNull() || !finite({x, y, width, height})) return false;
  const double w = toPixel(width), h = toPixel(height);
  if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
  if (image_.isNull()) return true;
  const QSizeF own = picture.deviceIndependentSize();
  const QImage* source = &picture;
  if (own.width() != w || own.height() != h || picture.devicePixelRatio() != dpr_) {
    source = stretchedCopy(picture, static_cast<int>(w), static_cast<int>(h));
    if (!source) return false;
  }
  const QPointF at(toPixel(x), toPixel(y));
  const QRect box(QPoint(recordPixel(x), recordPixel(y)),
                  QSize(static_cast<int>(w), static_cast<int>(h)));
  if (!admit(makeOp(DrawOp::Kind::Picture, 0, box, box, picture.cacheKey()))) return true;
  if (pendingClear_ && at == QPointF(0, 0) && !source->hasAlphaChannel() &&
      source->deviceIndependentSize().width() >= width_ &&
      source->deviceIndependentSize().height() >= height_) {
    pendingClear_ = false;  // every pixel of the clear is about to be replaced
    dropSharedContent();
  }
  QPainter* p = openPainter();
  // Pictures are copied whatever the draw mode; transparent parts (icons, metafiles) show what
  // is below.
  p->setTransform(QTransform());
  p->setRenderHint(QPainter::Antialiasing, false);
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  penState_ = PenState{};
  if (!clip_) {
    p->drawImage(at, *source);
    return true;
  }
  // Only the parts the clip lets through: drawn whole, a screen-sized picture is a full copy on
  // every drawn tick, which Qt also spreads over worker threads that then wake each time.
  const qreal scale = source->devicePixelRatio();
  const QRectF whole(at, source->deviceIndependentSize());
  for (const QRect& r : *clip_) {
    const QRectF part = whole.intersected(QRectF(r));
    if (!part.isEmpty())
      p->drawImage(part, *source, QRectF((part.topLeft() - at) * scale, part.size() * scale));
  }
  return true;
}

bool DrawSurface::PaintPicture(const Picture* picture, float x, float y) {
  if (!picture) return false;
  return PaintPicture(picture->image, x, y, static_cast<float>(picture->width),
                      static_cast<float>(picture->height));
}

bool DrawSurface::PaintPicture(const Picture* picture, float x, float y, float width,
                               float height) {
  if (!picture) return false;
  return PaintPicture(picture->image, x, y, width, height);
}

bool DrawSurface::Print(const QString& text, bool newLine) {
  const QStringList lines = splitLines(text);
  const QFontMetrics& fm = drawingMetrics();
  QRect area;
  if (recording_ || clip_) {
    // Ink may reach past the advance (italics, overhanging glyphs) and the smoothed edge.
    int y = static_cast<int>(std::clamp(toPixel(currentY_), -1.0e7, 1.0e7));
    for (qsizetype i = 0; i < lines.size(); ++i, y += fm.height()) {
      const int x = i == 0 ? recordPixel(currentX_) : 0;
      const QRect ink = fm.boundingRect(lines[i]) |
                        QRect(0, -fm.ascent(), fm.horizontalAdvance(lines[i]), fm.height());
      area |= ink.translated(x, y + fm.ascent()).adjusted(-2, -2, 2, 2);
    }
  }
  const QRect origin(QPoint(recordPixel(currentX_), recordPixel(currentY_)), QSize(1, 1));
  const bool draw = admit(makeOp(DrawOp::Kind::Text, std::nullopt, origin, area,
                                 fontSerial_ * 2 + (drawMode_ == 13), text));
  QPainter* p = draw ? beginDraw(std::nullopt, Shape::Text) : nullptr;
  if (p) p->setFont(drawingFont());
  float x = currentX_;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString& line = lines[i];
    if (p && !line.isEmpty() && finite({x, currentY_}))
      p->drawText(QPointF(toPixel(x), toPixel(currentY_) + fm.ascent()), line);
    const bool last = i + 1 == lines.size();
    if (last && !newLine) {
      currentX_ = x + static_cast<float>(fm.horizontalAdvance(line));
    } else {
      currentY_ += static_cast<float>(fm.height());
      x = 0;
      currentX_ = 0;
    }
  }
  return true;
}

float DrawSurface::TextWidth(const QString& text) const {
  const std::int64_t font = fontSerial_ * 2 + (drawMode_ == 13);
  if (font == measuredFont_ && text == measuredText_) return static_cast<float>(measuredWidth_);
  const QFontMetrics& fm = drawingMetrics();
  int widest = 0;
  for (const QString& line : splitLines(text))
    widest = std::max(widest, fm.horizontalAdvance(line));
  measuredFont_ = font;
  measuredText_ = text;
  measuredWidth_ = widest;
  return static_cast<float>(widest);
}

float DrawSurface::TextHeight(const QString& text) const {
  const QFontMetrics& fm = drawingMetrics();
  return static_cast<float>(fm.height() * splitLines(text).size());
}

void DrawSurface::Refresh(const QRegion& changed) {
  endDraw();
  if (!drawnSinceRefresh_) return;
  drawnSinceRefresh_ = false;
  emit refreshed(changed);
}

}  // namespace kwemo
