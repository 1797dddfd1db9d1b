#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QRegion>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "oldruntime/Rgb.h"

namespace kwemo {

struct Picture;  // platform/Picture.h

// The `B` of the old Line statement: a plain line, or a rectangle with the two points as corners.
enum class LineShape { Line, Box };
// `Step` before the end point: the end point is an offset from the start point.
enum class LineEnd { Absolute, Relative };

// One drawing operation as the surface carries it out: everything its pixels depend on, and the
// box of the pixels it may touch (logical pixels; pen, smoothing and rounding included). Two
// equal operations put the same pixels down over the same pixels.
struct DrawOp {
  enum class Kind : std::uint8_t { Clear, Line, Box, Ellipse, Dot, Picture, Text };
  Kind kind = Kind::Clear;
  int mode = 0, width = 0;
  Rgb color = 0;
  std::int64_t source = 0;  // picture cache key, font serial or surface size
  QRect geometry;           // rounded end points, box or text origin
  QString text;
  QRect area;

  bool operator==(const DrawOp&) const = default;
};

// A raster surface with the old forms runtime's drawing state and operations, drawn into one
// persistent off-screen image. Every window of the program draws through one of these; a
// SurfaceView puts it on screen. Coordinates are logical pixels (single precision), origin top
// left; they are rounded to whole pixels, halves to even, before drawing. Drawing combines with
// what is already there through DrawMode; painting a picture copies it.
class DrawSurface : public QObject {
  Q_OBJECT

 public:
  explicit DrawSurface(int width = 1, int height = 1, QObject* parent = nullptr);
  ~DrawSurface() override;

  // Size in logical pixels. What was drawn stays at the top left; new area shows BackColor.
  void resize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  float ScaleWidth() const { return static_cast<float>(width_); }
  float ScaleHeight() const { return static_cast<float>(height_); }
  // Image pixels per logical pixel (high-DPI screens). What was drawn is scaled along until the
  // next drawing replaces it.
  void setDevicePixelRatio(qreal ratio);
  qreal devicePixelRatio() const { return dpr_; }
  // The persistent image, Format_RGB32, width() x height() times the device pixel ratio.
  const QImage& image() const;

  Rgb BackColor() const { return backColor_; }
  void setBackColor(Rgb color);  // like the old runtime: also clears the surface
  Rgb ForeColor() const { return foreColor_; }
  void setForeColor(Rgb color) { foreColor_ = color & 0xFFFFFF; }
  int DrawMode() const { return drawMode_; }
  bool setDrawMode(int mode);  // refused (false, old value kept) outside 1-16
  int DrawWidth() const { return drawWidth_; }
  bool setDrawWidth(int width);  // refused below 1

  QString FontName() const { return fontName_; }
  void setFontName(const QString& name);
  float FontSize() const { return fontSize_; }
  bool setFontSize(float points);  // refused unless 0 < points <= 2048
  bool FontBold() const { return fontBold_; }
  void setFontBold(bool bold);
  bool FontItalic() const { return fontItalic_; }
  void setFontItalic(bool italic);

  float CurrentX() const { return currentX_; }
  void setCurrentX(float x) { currentX_ = x; }
  float CurrentY() const { return currentY_; }
  void setCurrentY(float y) { currentY_ = y; }

  // Fills with BackColor; the text position goes back to (0, 0).
  void Cls();
  // Line (x1, y1)-(x2, y2) of the current pen; afterwards the text position is the end point.
  bool Line(float x1, float y1, float x2, float y2, std::optional<Rgb> color = std::nullopt,
            LineShape shape = LineShape::Line, LineEnd end = LineEnd::Absolute);
  // Line -(x2, y2): from the text position.
  bool LineTo(float x2, float y2, std::optional<Rgb> color = std::nullopt,
              LineShape shape = LineShape::Line, LineEnd end = LineEnd::Absolute);
  // Ellipse around (x, y). Aspect below 1: radius is the horizontal semi-axis and the vertical one
  // radius x aspect; 1 or more: radius is the vertical semi-axis, the horizontal radius / aspect.
  bool Circle(float x, float y, float radius, std::optional<Rgb> color = std::nullopt,
              std::optional<float> aspect = std::nullopt);
  // A dot of the pen width.
  bool PSet(float x, float y, std::optional<Rgb> color = std::nullopt);
  // Fails (and draws nothing) without a picture. The stretched form keeps the last stretched
  // copy, so painting the same picture at the same size again costs one copy.
  bool PaintPicture(const Picture* picture, float x, float y);
  bool PaintPicture(const Picture* picture, float x, float y, float width, float height);
  bool PaintPicture(const QImage& picture, float x, float y);
  bool PaintPicture(const QImage& picture, float x, float y, float width, float height);
  // Text with its top left at the text position, in ForeColor, background unchanged. With
  // newLine the text position then moves to the start of the next line (x 0), otherwise to
  // the end of the text (the old `Print text;`).
  bool Print(const QString& text, bool newLine = true);
  float TextWidth(const QString& text) const;
  float TextHeight(const QString& text) const;
  // Shows what was drawn now: tells the presenters, unless nothing was drawn since the last
  // refresh. changed narrows what they copy to the screen (empty: the whole surface).
  void Refresh(const QRegion& changed = QRegion());

  // Redrawing only what changed. While recording, operations are appended to ops instead of
  // being drawn; the drawing state (pen, colour, text position) is as it was before once the
  // recording ends. With a clip, operations draw only inside it, Cls fills only it, and an
  // operation whose area misses it is skipped.
  void beginRecording(std::vector<DrawOp>& ops);
  void endRecording();
  void setClip(const QRegion& clip);
  void clearClip();
  // The pixels op may touch, finer than its box for long lines.
  static QRegion areaOf(const DrawOp& op);
  // Counts every change of the image (drawing, clearing, resizing).
  std::uint64_t changeCount() const { return changes_; }
  // picture stretched as PaintPicture stretches it to width x height at this surface's ratio.
  QImage stretched(const QImage& picture, int width, int height) const;

  // The font as the surface draws it (look-alike faces, pixel size, antialiasing by mode).
  const QFont& font() const { return font_; }

 signals:
  void refreshed(const QRegion& changed);
  void resized();

 private:
  // The painter stays open across operations (one per call would dominate a small face); it is
  // closed before anyone sees the image, so a copy never shares bits that are being drawn.
  enum class Shape { Stroke, Dot, Text };
  QPainter* openPainter();
  QPainter* beginDraw(std::optional<Rgb> color, Shape kind);
  void endDraw() const;
  void applyClear() const;
  void dropSharedContent() const;
  void rebuildImage(int width, int height, qreal dpr);
  void updateFont();
  const QFont& drawingFont() const;
  const QFontMetrics& drawingMetrics() const;
  const QImage* stretchedCopy(const QImage& picture, int width, int height);
  // False when the operation is only recorded or lies outside the clip; counts the change.
  bool admit(const DrawOp& op);
  DrawOp makeOp(DrawOp::Kind kind, std::optional<Rgb> color, QRect geometry, QRect area,
                std::int64_t source = 0, const QString& text = QString()) const;
  int penMargin() const;

  int width_ = 0, height_ = 0;
  qreal dpr_ = 1.0;
  // Cls only notes the clear; the fill happens before the next drawing, unless that drawing is
  // an opaque picture over the whole surface (a full-screen background then costs one copy).
  mutable QImage image_;
  mutable bool pendingClear_ = false;
  mutable std::unique_ptr<QPainter> painter_;
  // What the open painter was last told (-1: unknown).
  struct PenState {
    int mode = -1, smooth = -1, shifted = -1, width = -1;
    Rgb color = 0xFFFFFFFF;
  };
  PenState penState_;
  Rgb backColor_ = 0xFFFFFF;
  Rgb foreColor_ = 0;
  int drawMode_ = 13;
  int drawWidth_ = 1;
  QString fontName_;
  float fontSize_ = 9;
  bool fontBold_ = false;
  bool fontItalic_ = false;
  QFont font_;
  QFont aliasedFont_;
  // Measuring through a fresh QFontMetrics costs more than drawing the text.
  std::optional<QFontMetrics> metrics_;
  std::optional<QFontMetrics> aliasedMetrics_;
  float currentX_ = 0, currentY_ = 0;
  std::int64_t fontSerial_ = 0;

  std::vector<DrawOp>* recording_ = nullptr;
  struct Saved {
    int drawWidth;
    Rgb foreColor;
    float x, y;
  } saved_{};
  std::optional<QRegion> clip_;
  std::uint64_t changes_ = 0;
  bool drawnSinceRefresh_ = false;
  // The last measured text: the face measures the same text every second.
  mutable QString measuredText_;
  mutable std::int64_t measuredFont_ = -1;
  mutable int measuredWidth_ = 0;

  // Last stretched picture: source cache key and target size.
  qint64 stretchKey_ = 0;
  QSize stretchSize_;
  QImage stretched_;
};

}  // namespace kwemo
