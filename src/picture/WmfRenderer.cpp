// Plays Windows metafiles with libwmf (lite interface: parser and player only) through a device
// layer that draws with QPainter. libwmf's own output devices mis-draw (unfilled ellipses, colours
// snapped to a palette), and its full interface loads font maps on every call.
//
// libwmf trusts its input more than we may: the records are walked and checked first (WmfRecords),
// and libwmf gets a rebuilt copy whose header is consistent with what was found.

#include <QDeadlineTimer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "picture/ClipGeometry.h"
#include "picture/MetafileRenderers.h"
#include "picture/WmfRecords.h"

// After every Qt header: libwmf defines U8, U16... as macros, which Qt uses as names.
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/types.h>

namespace kwemo {

namespace {

// Mapping modes as the metafile records carry them.
constexpr int kMapModeIsotropic = 7;
constexpr int kMapModeAnisotropic = 8;

// The user waits for a picture while typing its path: a metafile that takes longer is refused.
constexpr int kPlayMilliseconds = 1000;
constexpr qint64 kBitmapBudget = 256LL * 1024 * 1024;

// ---- memory: everything libwmf allocates is counted against a budget -------------------------

struct Budget {
  std::size_t used = 0;
  std::size_t limit = 0;
};

void* budgetMalloc(void* context, std::size_t size) {
  auto* budget = static_cast<Budget*>(context);
  if (size > budget->limit - budget->used) return nullptr;
  auto* block = static_cast<std::size_t*>(std::malloc(size + sizeof(std::max_align_t)));
  if (!block) return nullptr;
  *block = size;
  budget->used += size;
  return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void budgetFree(void* context, void* mem) {
  if (!mem) return;
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(mem) - sizeof(std::max_align_t));
  static_cast<Budget*>(context)->used -= *block;
  std::free(block);
}

void* budgetRealloc(void* context, void* mem, std::size_t size) {
  if (!mem) return budgetMalloc(context, size);
  auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(mem) - sizeof(std::max_align_t));
  const std::size_t old = *block;
  void* fresh = budgetMalloc(context, size);
  if (!fresh) return nullptr;
  std::memcpy(fresh, mem, std::min(old, size));
  budgetFree(context, mem);
  return fresh;
}

// ---- the QPainter device ---------------------------------------------------------------------

class QtDevice {
 public:
  explicit QtDevice(const WmfLayout& layout) : layout_(layout) {}

  // The image exists once the size is known, after the scan; the scan may already read bitmaps.
  bool begin(QSize size, QRectF defaultFrame) {
    defaultFrame_ = defaultFrame;
    image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    if (image_.isNull()) return false;
    image_.fill(Qt::transparent);
    if (!painter_.begin(&image_)) return false;
    // Shapes are antialiased; bitmaps stretch as GDI's default stretch mode does, without
    // smoothing.
    painter_.setRenderHint(QPainter::Antialiasing);
    return true;
  }
  QImage finish() {
    if (painter_.isActive()) painter_.end();
    return image_;
  }

  QPainter& painter() { return painter_; }

  // The logical rectangle that maps onto the whole image at this point of the play: the window the
  // metafile set, where it set one that scales, otherwise the default frame.
  QRectF frame(const wmfDC* dc) const {
    const bool windowScales = dc->map_mode == kMapModeAnisotropic ||
                              dc->map_mode == kMapModeIsotropic ||
                              (layout_.placeable && layout_.setsWindowExt);
    if (windowScales && dc->Window.width != 0 && dc->Window.height != 0)
      return QRectF(dc->Window.Ox, dc->Window.Oy, dc->Window.width, dc->Window.height);
    return defaultFrame_;
  }

  static double unitX(const wmfDC* dc) {
    return std::isfinite(dc->pixel_width) && dc->pixel_width != 0 ? dc->pixel_width : 1.0;
  }
  static double unitY(const wmfDC* dc) {
    return std::isfinite(dc->pixel_height) && dc->pixel_height != 0 ? dc->pixel_height : 1.0;
  }

  // libwmf's device coordinates back to logical ones, then onto the image.
  QPointF map(const wmfDC* dc, wmfD_Coord d) const {
    const QRectF f = frame(dc);
    const double lx = d.x / unitX(dc) + dc->Window.Ox;
    const double ly = d.y / unitY(dc) + dc->Window.Oy;
    return QPointF((lx - f.x()) * image_.width() / f.width(),
                   (ly - f.y()) * image_.height() / f.height());
  }
  // A device-unit distance along x or y, as image pixels (unsigned).
  double lengthX(const wmfDC* dc, double d) const {
    return std::abs(d / unitX(dc) * image_.width() / frame(dc).width());
  }
  double lengthY(const wmfDC* dc, double d) const {
    return std::abs(d / unitY(dc) * image_.height() / frame(dc).height());
  }
  QRectF mapRect(const wmfDC* dc, wmfD_Coord a, wmfD_Coord b) const {
    return QRectF(map(dc, a), map(dc, b)).normalized();
  }

  static QColor colour(const wmfRGB& c) { return QColor(c.r, c.g, c.b); }

  // The rasterizer's time grows with a shape's size, not with how much of it shows (over a second
  // for one polygon a few million pixels long): shapes are cut to the image plus a margin that
  // keeps the cut edges, and the current pen's joins along them, out of sight.
  QRectF reach() const {
    const double margin = 4 + 3 * painter_.pen().widthF();
    return QRectF(image_.rect()).adjusted(-margin, -margin, margin, margin);
  }
  bool fits(const QRectF& r) const { return reach().contains(r); }
  QPolygonF cut(const QPolygonF& polygon) const {
    return fits(polygon.boundingRect()) ? polygon : ClipPolygon(polygon, reach());
  }
  // A closed outline (ellipse, pie, chord, rounded box) too large to draw as it is.
  void fillCut(const QPainterPath& path) {
    QPainterPath cutPath;
    cutPath.setFillRule(path.fillRule());
    for (const QPolygonF& polygon : path.toSubpathPolygons())
      cutPath.addPolygon(ClipPolygon(polygon, reach()));
    painter_.drawPath(cutPath);
  }
  void strokeCut(const QPolygonF& line) {
    if (fits(line.boundingRect())) {
      painter_.drawPolyline(line);
      return;
    }
    for (const QPolygonF& run : ClipPolyline(line, reach())) painter_.drawPolyline(run);
  }

  QPen pen(const wmfDC* dc) const {
    const wmfPen* p = dc->pen;
    if (!p || (p->lopnStyle & PS_STYLE_MASK) == PS_NULL) return Qt::NoPen;
    QPen pen(colour(p->lopnColor));
    const double width = lengthX(dc, p->width);
    pen.setWidthF(width < 1.0 ? 0.0 : std::min(width, 8192.0));  // 0 = one pixel (cosmetic)
    switch (p->lopnStyle & PS_STYLE_MASK) {
      case PS_DASH:
        pen.setStyle(Qt::DashLine);
        break;
      case PS_DOT:
      case PS_ALTERNATE:
        pen.setStyle(Qt::DotLine);
        break;
      case PS_DASHDOT:
        pen.setStyle(Qt::DashDotLine);
        break;
      case PS_DASHDOTDOT:
        pen.setStyle(Qt::DashDotDotLine);
        break;
      default:
        pen.setStyle(Qt::SolidLine);
        break;
    }
    switch (p->lopnStyle & PS_ENDCAP_MASK) {
      case PS_ENDCAP_SQUARE:
        pen.setCapStyle(Qt::SquareCap);
        break;
      case PS_ENDCAP_FLAT:
        pen.setCapStyle(Qt::FlatCap);
        break;
      default:
        pen.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (p->lopnStyle & PS_JOIN_MASK) {
      case PS_JOIN_BEVEL:
        pen.setJoinStyle(Qt::BevelJoin);
        break;
      case PS_JOIN_MITER:
        pen.setJoinStyle(Qt::MiterJoin);
        break;
      default:
        pen.setJoinStyle(Qt::RoundJoin);
        break;
    }
    return pen;
  }

  QBrush brush(const wmfDC* dc) const {
    const wmfBrush* b = dc->brush;
    if (!b || b->lbStyle == BS_NULL) return Qt::NoBrush;
    const QColor c = colour(b->lbColor);
    switch (b->lbStyle) {
      case BS_HATCHED:
        switch (b->lbHatch) {
          case HS_HORIZONTAL:
            return QBrush(c, Qt::HorPattern);
          case HS_VERTICAL:
            return QBrush(c, Qt::VerPattern);
          case HS_FDIAGONAL:
            return QBrush(c, Qt::FDiagPattern);
          case HS_BDIAGONAL:
            return QBrush(c, Qt::BDiagPattern);
          case HS_CROSS:
            return QBrush(c, Qt::CrossPattern);
          default:
            return QBrush(c, Qt::DiagCrossPattern);
        }
      case BS_PATTERN:
      case BS_DIBPATTERN:
      case BS_DIBPATTERNPT:
        if (const QImage* pattern = bitmap(b->bmp.data)) return QBrush(*pattern);
        return QBrush(c);
      default:
        return QBrush(c);
    }
  }

  // Sets pen and brush for one shape; false when there is nothing to draw.
  bool prepare(const wmfDC* dc, bool filled) {
    if (dc->ROPmode == R2_NOP) return false;
    const QPen p = pen(dc);
    const QBrush b = filled ? brush(dc) : QBrush(Qt::NoBrush);
    if (p.style() == Qt::NoPen && b.style() == Qt::NoBrush) return false;
    // Hatches show the background colour between their lines in opaque mode.
    if (b.style() >= Qt::HorPattern && b.style() <= Qt::DiagCrossPattern && dc->bgmode == OPAQUE)
      pendingBackground_ = colour(dc->bgcolor);
    else
      pendingBackground_ = QColor();
    painter_.setPen(p);
    painter_.setBrush(b);
    return true;
  }
  template <typename Draw>
  void drawFilled(Draw draw) {
    if (pendingBackground_.isValid()) {
      const QBrush hatch = painter_.brush();
      const QPen pen = painter_.pen();
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(pendingBackground_);
      draw();
      painter_.setPen(pen);
      painter_.setBrush(hatch);
    }
    draw();
  }

  Qt::FillRule fillRule(const wmfDC* dc) const {
    return dc->polyfillmode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
  }

  // Embedded bitmaps are decoded by the picture loader and owned here, whatever libwmf frees.
  // Embedded bitmaps together stay under a budget, however many records carry one.
  void* keepBitmap(QImage image) {
    if (image.sizeInBytes() > kBitmapBudget - bitmapBytes_) return nullptr;
    bitmapBytes_ += image.sizeInBytes();
    bitmaps_.push_back(std::make_unique<QImage>(std::move(image)));
    return bitmaps_.back().get();
  }
  void dropBitmap(const void* data) {
    for (auto it = bitmaps_.begin(); it != bitmaps_.end(); ++it) {
      if (it->get() == data) {
        bitmapBytes_ -= (*it)->sizeInBytes();
        bitmaps_.erase(it);
        return;
      }
    }
  }
  const QImage* bitmap(const void* data) const {
    for (const auto& b : bitmaps_)
      if (b.get() == data) return b.get();
    return nullptr;
  }

 private:
  QImage image_;
  QPainter painter_;
  const WmfLayout& layout_;
  QRectF defaultFrame_;
  QColor pendingBackground_;
  std::vector<std::unique_ptr<QImage>> bitmaps_;
  qint64 bitmapBytes_ = 0;
};

QtDevice* device(wmfAPI* api) { return static_cast<QtDevice*>(api->device_data); }

// Qt's angle (degrees, counter-clockwise on screen) of the ray from the ellipse's centre through a
// point given relative to the centre, as the parameter angle Qt uses for elliptic arcs.
double arcAngle(const QRectF& r, QPointF offset) {
  const double rx = std::max(r.width() / 2, 1e-9), ry = std::max(r.height() / 2, 1e-9);
  return std::atan2(-offset.y() / ry, offset.x() / rx) * 180.0 / std::numbers::pi;
}

enum class ArcKind { Open, Pie, Chord };

void drawArc(wmfAPI* api, wmfDrawArc_t* a, ArcKind kind) {
  QtDevice* dev = device(api);
  if (!dev->prepare(a->dc, kind != ArcKind::Open)) return;
  const QRectF r = dev->mapRect(a->dc, a->TL, a->BR);
  // libwmf hands the end radial as 'start' and the start radial as 'end', both relative to the
  // centre, in device units. The metafile draws counter-clockwise from start to end.
  const QPointF origin = dev->map(a->dc, wmfD_Coord{0, 0});
  const QPointF startRadial = dev->map(a->dc, a->end) - origin;
  const QPointF endRadial = dev->map(a->dc, a->start) - origin;
  const double from = arcAngle(r, startRadial);
  double span = arcAngle(r, endRadial) - from;
  while (span <= 0) span += 360;
  const int a16 = static_cast<int>(std::lround(from * 16));
  const int s16 = static_cast<int>(std::lround(span * 16));
  QPainter& p = dev->painter();
  if (!dev->fits(r)) {
    QPainterPath path;
    if (kind == ArcKind::Pie)
      path.moveTo(r.center());
    else
      path.arcMoveTo(r, a16 / 16.0);
    path.arcTo(r, a16 / 16.0, s16 / 16.0);
    if (kind == ArcKind::Open) {
      for (const QPolygonF& line : path.toSubpathPolygons()) dev->strokeCut(line);
    } else {
      path.closeSubpath();
      dev->drawFilled([&] { dev->fillCut(path); });
    }
    return;
  }
  switch (kind) {
    case ArcKind::Open:
      p.drawArc(r, a16, s16);
      break;
    case ArcKind::Pie:
      dev->drawFilled([&] { p.drawPie(r, a16, s16); });
      break;
    case ArcKind::Chord:
      dev->drawFilled([&] { p.drawChord(r, a16, s16); });
      break;
  }
}

QPolygonF polygonOf(QtDevice* dev, const wmfDC* dc, const wmfD_Coord* pts, unsigned count) {
  QPolygonF poly;
  poly.reserve(count);
  for (unsigned i = 0; i < count; ++i) poly.append(dev->map(dc, pts[i]));
  return poly;
}

QString decodeText(const char* text, int charset) {
  const QByteArray bytes(text);
  if (charset == 128) {  // SHIFTJIS_CHARSET
    QStringDecoder sjis("Shift_JIS");
    if (sjis.isValid()) return sjis(bytes);
  }
  return QString::fromLatin1(bytes);
}

QFont fontOf(const wmfFont* f, double pixelHeight) {
  QFont font(f && f->lfFaceName ? QString::fromLatin1(f->lfFaceName) : QStringLiteral("Arial"));
  font.setPixelSize(std::clamp(static_cast<int>(std::lround(pixelHeight)), 1, 4096));
  if (f) {
    if (f->lfWeight > 0)
      font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(f->lfWeight, 100, 900)));
    font.setItalic(f->lfItalic != 0);
    font.setUnderline(f->lfUnderline != 0);
    font.setStrikeOut(f->lfStrikeOut != 0);
  }
  return font;
}

// ---- libwmf callbacks --------------------------------------------------------------------------

void devNothing(wmfAPI*) {}
void floodNothing(wmfAPI*, wmfFlood_t*) {}
void udataNothing(wmfAPI*, wmfUserData_t*) {}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* p) {
  QtDevice* dev = device(api);
  const QPointF at = dev->map(p->dc, p->pt);
  const double w = std::max(1.0, dev->lengthX(p->dc, p->pixel_width));
  const double h = std::max(1.0, dev->lengthY(p->dc, p->pixel_height));
  dev->painter().fillRect(QRectF(at, QSizeF(w, h)) & dev->reach(), QtDevice::colour(p->color));
}

void drawPie(wmfAPI* api, wmfDrawArc_t* a) { drawArc(api, a, ArcKind::Pie); }
void drawChord(wmfAPI* api, wmfDrawArc_t* a) { drawArc(api, a, ArcKind::Chord); }
void drawOpenArc(wmfAPI* api, wmfDrawArc_t* a) { drawArc(api, a, ArcKind::Open); }

void drawEllipse(wmfAPI* api, wmfDrawArc_t* a) {
  QtDevice* dev = device(api);
  if (!dev->prepare(a->dc, true)) return;
  const QRectF r = dev->mapRect(a->dc, a->TL, a->BR);
  dev->drawFilled([&] {
    if (dev->fits(r)) {
      dev->painter().drawEllipse(r);
    } else {
      QPainterPath path;
      path.addEllipse(r);
      dev->fillCut(path);
    }
  });
}

void drawLine(wmfAPI* api, wmfDrawLine_t* l) {
  QtDevice* dev = device(api);
  if (!dev->prepare(l->dc, false)) return;
  dev->strokeCut(QPolygonF{dev->map(l->dc, l->from), dev->map(l->dc, l->to)});
}

void polyLine(wmfAPI* api, wmfPolyLine_t* l) {
  QtDevice* dev = device(api);
  if (l->count < 2 || !dev->prepare(l->dc, false)) return;
  dev->strokeCut(polygonOf(dev, l->dc, l->pt, l->count));
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* l) {
  QtDevice* dev = device(api);
  if (l->count < 2 || !dev->prepare(l->dc, true)) return;
  const QPolygonF poly = polygonOf(dev, l->dc, l->pt, l->count);
  const Qt::FillRule rule = dev->fillRule(l->dc);
  dev->drawFilled([&] { dev->painter().drawPolygon(dev->cut(poly), rule); });
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* pp) {
  QtDevice* dev = device(api);
  if (!pp->pt || !pp->count || !dev->prepare(pp->dc, true)) return;
  QPainterPath path;
  path.setFillRule(dev->fillRule(pp->dc));
  for (unsigned i = 0; i < pp->npoly; ++i) {
    if (pp->pt[i] && pp->count[i] >= 2)
      path.addPolygon(dev->cut(polygonOf(dev, pp->dc, pp->pt[i], pp->count[i])));
    path.closeSubpath();
  }
  dev->drawFilled([&] { dev->painter().drawPath(path); });
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* r) {
  QtDevice* dev = device(api);
  if (!dev->prepare(r->dc, true)) return;
  const QRectF rect = dev->mapRect(r->dc, r->TL, r->BR);
  if (r->width > 0 || r->height > 0) {
    const double rx = dev->lengthX(r->dc, r->width) / 2;
    const double ry = dev->lengthY(r->dc, r->height) / 2;
    dev->drawFilled([&] {
      if (dev->fits(rect)) {
        dev->painter().drawRoundedRect(rect, rx, ry);
      } else {
        QPainterPath path;
        path.addRoundedRect(rect, rx, ry);
        dev->fillCut(path);
      }
    });
  } else {
    dev->drawFilled([&] {
      const QRectF shown = rect & dev->reach();
      if (!shown.isEmpty()) dev->painter().drawRect(shown);
    });
  }
}

void ropDraw(wmfAPI* api, wmfROP_Draw_t* r) {
  QtDevice* dev = device(api);
  const QRectF rect = dev->mapRect(r->dc, r->TL, r->BR) & dev->reach();
  switch (r->ROP) {
    case BLACKNESS:
      dev->painter().fillRect(rect, Qt::black);
      break;
    case WHITENESS:
      dev->painter().fillRect(rect, Qt::white);
      break;
    case PATCOPY:
      dev->painter().fillRect(rect, dev->brush(r->dc));
      break;
    default:
      break;  // raster operations that read the destination are not reproduced
  }
}

void bmpRead(wmfAPI* api, wmfBMP_Read_t* r) {
  r->bmp.data = nullptr;
  r->bmp.width = 0;
  r->bmp.height = 0;
  if (!r->buffer || r->length < 40 || r->length > kMaxPictureFileBytes) return;
  // A DIB is a BMP file without its 14-byte file header; the pixels follow the header and the
  // colour table, which the bitmap decoder finds from the header itself.
  const auto length = static_cast<quint32>(r->length);
  const quint32 headerSize = static_cast<quint32>(r->buffer[0]) | r->buffer[1] << 8 |
                             r->buffer[2] << 16 | static_cast<quint32>(r->buffer[3]) << 24;
  const quint16 bitCount = static_cast<quint16>(r->buffer[14] | r->buffer[15] << 8);
  const quint32 used = static_cast<quint32>(r->buffer[32]) | r->buffer[33] << 8 |
                       r->buffer[34] << 16 | static_cast<quint32>(r->buffer[35]) << 24;
  if (headerSize < 40 || headerSize > length) return;
  const quint32 colours =
      used ? std::min<quint32>(used, 256) : (bitCount <= 8 ? 1u << bitCount : 0);
  const quint32 offset = 14 + headerSize + colours * 4;
  QByteArray file;
  file.append("BM");
  for (quint32 v : {14 + length, 0u, offset}) {
    char le[4];
    qToLittleEndian(v, le);
    file.append(le, 4);
  }
  file.append(reinterpret_cast<const char*>(r->buffer), r->length);
  std::optional<Picture> picture = LoadPictureFromData(file);
  if (!picture || picture->width > 0xFFFF || picture->height > 0xFFFF) return;
  void* kept = device(api)->keepBitmap(std::move(picture->image));
  if (!kept) return;
  r->bmp.width = static_cast<U16>(picture->width);
  r->bmp.height = static_cast<U16>(picture->height);
  r->bmp.data = kept;
}

void bmpFree(wmfAPI* api, wmfBMP* bmp) {
  // Looked up among the device's own images: a pointer libwmf kept too long finds nothing.
  device(api)->dropBitmap(bmp->data);
  bmp->data = nullptr;
}

void bmpDraw(wmfAPI* api, wmfBMP_Draw_t* b) {
  QtDevice* dev = device(api);
  const QImage* image = dev->bitmap(b->bmp.data);
  if (!image) return;
  const QRect crop = QRect(b->crop.x, b->crop.y, b->crop.w, b->crop.h) & image->rect();
  if (crop.isEmpty()) return;
  const QPointF at = dev->map(b->dc, b->pt);
  const QSizeF size(dev->lengthX(b->dc, b->pixel_width * crop.width()),
                    dev->lengthY(b->dc, b->pixel_height * crop.height()));
  const QRectF target(at, size);
  if (dev->fits(target)) {
    dev->painter().drawImage(target, *image, crop);
    return;
  }
  // Only the part that shows, from the matching part of the bitmap.
  const QRectF shown = target & dev->reach();
  if (shown.isEmpty()) return;
  const double sx = crop.width() / target.width(), sy = crop.height() / target.height();
  const QRectF source(crop.x() + (shown.x() - target.x()) * sx,
                      crop.y() + (shown.y() - target.y()) * sy, shown.width() * sx,
                      shown.height() * sy);
  dev->painter().drawImage(shown, *image, source);
}

void drawText(wmfAPI* api, wmfDrawText_t* t) {
  QtDevice* dev = device(api);
  if (!t->str || !t->dc) return;
  const wmfFont* f = t->dc->font;
  const QString text = decodeText(t->str, f ? f->lfCharSet : 0);
  const QFont font = fontOf(f, dev->lengthY(t->dc, t->font_height));
  QPainter& p = dev->painter();
  p.save();
  if (t->dc->bgmode == OPAQUE) {
    QPolygonF box;
    box << dev->map(t->dc, t->bbox.TL) << dev->map(t->dc, t->bbox.TR) << dev->map(t->dc, t->bbox.BR)
        << dev->map(t->dc, t->bbox.BL);
    p.setPen(Qt::NoPen);
    p.setBrush(QtDevice::colour(t->dc->bgcolor));
    p.drawPolygon(dev->cut(box));
  }
  p.setFont(font);
  p.setPen(QtDevice::colour(t->dc->textcolor));
  p.translate(dev->map(t->dc, t->pt));
  if (f && f->lfEscapement != 0) p.rotate(-f->lfEscapement / 10.0);
  p.drawText(QPointF(0, 0), text);
  p.restore();
}

std::vector<QRectF> rectsOf(QtDevice* dev, const wmfPolyRectangle_t* r) {
  std::vector<QRectF> rects;
  if (!r->TL || !r->BR) return rects;
  for (unsigned i = 0; i < r->count; ++i) rects.push_back(dev->mapRect(r->dc, r->TL[i], r->BR[i]));
  return rects;
}

void regionPaint(wmfAPI* api, wmfPolyRectangle_t* r) {
  QtDevice* dev = device(api);
  const QBrush brush = dev->brush(r->dc);
  for (const QRectF& rect : rectsOf(dev, r)) dev->painter().fillRect(rect & dev->reach(), brush);
}

void regionFrame(wmfAPI* api, wmfPolyRectangle_t* r) {
  QtDevice* dev = device(api);
  QPainter& p = dev->painter();
  p.save();
  QPen pen(dev->brush(r->dc), std::max(1.0, dev->lengthX(r->dc, r->width)));
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (const QRectF& rect : rectsOf(dev, r)) {
    const QRectF shown = rect & dev->reach();
    if (!shown.isEmpty()) p.drawRect(shown);
  }
  p.restore();
}

void regionClip(wmfAPI* api, wmfPolyRectangle_t* r) {
  QtDevice* dev = device(api);
  if (r->count == 0) {
    dev->painter().setClipping(false);
    return;
  }
  QPainterPath clip;
  for (const QRectF& rect : rectsOf(dev, r)) clip.addRect(rect & dev->reach());
  dev->painter().setClipPath(clip);
}

// Text metrics for the player's text boxes: width of the string at a 1-point font.
void fontMapNothing(wmfAPI*, wmfFont*) {}
float stringWidth(wmfAPI*, wmfFont* f, char* text) {
  if (!text) return 0;
  const QFont font = fontOf(f, 100);
  return static_cast<float>(
      QFontMetricsF(font).horizontalAdvance(decodeText(text, f ? f->lfCharSet : 0)) / 100.0);
}

void installDevice(wmfAPI* api) {
  auto* fr = static_cast<wmfFunctionReference*>(api->function_reference);
  fr->device_open = devNothing;
  fr->device_close = devNothing;
  fr->device_begin = devNothing;
  fr->device_end = devNothing;
  fr->flood_interior = floodNothing;
  fr->flood_exterior = floodNothing;
  fr->draw_pixel = drawPixel;
  fr->draw_pie = drawPie;
  fr->draw_chord = drawChord;
  fr->draw_arc = drawOpenArc;
  fr->draw_ellipse = drawEllipse;
  fr->draw_line = drawLine;
  fr->poly_line = polyLine;
  fr->draw_polygon = drawPolygon;
  fr->draw_polypolygon = drawPolyPolygon;
  fr->draw_rectangle = drawRectangle;
  fr->rop_draw = ropDraw;
  fr->bmp_draw = bmpDraw;
  fr->bmp_read = bmpRead;
  fr->bmp_free = bmpFree;
  fr->draw_text = drawText;
  fr->udata_init = udataNothing;
  fr->udata_copy = udataNothing;
  fr->udata_set = udataNothing;
  fr->udata_free = udataNothing;
  fr->region_frame = regionFrame;
  fr->region_paint = regionPaint;
  fr->region_clip = regionClip;

  auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
  if (!fonts) return;  // wmf_malloc has set the error state
  fonts->map = fontMapNothing;
  fonts->stringwidth = stringWidth;
  fonts->user_data = nullptr;
  api->font_data = fonts;
}

int stopWhenLate(void* context, float) {
  return static_cast<QDeadlineTimer*>(context)->hasExpired() ? 1 : 0;
}

// Owns one libwmf instance.
class WmfApi {
 public:
  explicit WmfApi(Budget* budget) {
    wmfAPI_Options options{};
    options.context = budget;
    options.malloc = budgetMalloc;
    options.realloc = budgetRealloc;
    options.free = budgetFree;
    options.function = installDevice;
    const unsigned long flags = WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL |
                                WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_lite_create(&api_, flags, &options) != wmf_E_None) api_ = nullptr;
  }
  ~WmfApi() {
    if (api_) wmf_lite_destroy(api_);
  }
  WmfApi(const WmfApi&) = delete;
  WmfApi& operator=(const WmfApi&) = delete;
  wmfAPI* get() const { return api_; }

 private:
  wmfAPI* api_ = nullptr;
};

}  // namespace

std::optional<Picture> RenderWmf(const QByteArray& data) {
  std::optional<WmfLayout> layout = WalkWmfRecords(data);
  if (!layout) return std::nullopt;

  Budget budget;
  budget.limit = 64u * 1024 * 1024 + 4 * static_cast<std::size_t>(layout->sanitized.size());
  WmfApi api(&budget);
  if (!api.get() || !api.get()->font_data) return std::nullopt;
  QtDevice dev(*layout);
  api.get()->device_data = &dev;
  QDeadlineTimer deadline(kPlayMilliseconds);
  wmf_status_function(api.get(), &deadline, stopWhenLate);
  if (wmf_mem_open(api.get(), reinterpret_cast<unsigned char*>(layout->sanitized.data()),
                   static_cast<long>(layout->sanitized.size())) != wmf_E_None)
    return std::nullopt;
  wmfD_Rect bounds{};
  if (wmf_scan(api.get(), 0, &bounds) != wmf_E_None) return std::nullopt;

  // Own size: a placeable file's box at its units per inch, 96 pixels an inch; a bare file has no
  // units, so its window (or what it draws) counts one unit a pixel, as on a plain screen.
  QRectF frame;
  double width = 0, height = 0;
  if (layout->placeable) {
    if (layout->unitsPerInch == 0 || layout->bbox.width() == 0 || layout->bbox.height() == 0)
      return std::nullopt;
    frame = layout->bbox;
    width = std::abs(frame.width()) * 96.0 / layout->unitsPerInch;
    height = std::abs(frame.height()) * 96.0 / layout->unitsPerInch;
  } else {
    if (layout->setsWindowExt && layout->lastWindow.width() != 0 &&
        layout->lastWindow.height() != 0)
      frame = layout->lastWindow;
    else
      frame = QRectF(QPointF(bounds.TL.x, bounds.TL.y), QPointF(bounds.BR.x, bounds.BR.y));
    width = std::abs(frame.width());
    height = std::abs(frame.height());
  }
  const int w = RoundHalfEven(width), h = RoundHalfEven(height);
  if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide || frame.width() == 0 ||
      frame.height() == 0)
    return std::nullopt;

  if (!dev.begin(QSize(w, h), frame)) return std::nullopt;
  const wmf_error_t played = wmf_play(api.get(), 0, &bounds);
  QImage image = dev.finish();
  if (played != wmf_E_None) return std::nullopt;
  return Picture{image, w, h};
}

}  // namespace kwemo
