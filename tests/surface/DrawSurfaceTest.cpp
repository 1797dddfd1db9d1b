#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QTest>
#include <functional>
#include <string>

#include "oldruntime/RgbColor.h"
#include "picture/Picture.h"
#include "surface/DrawSurface.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

constexpr int kW = 64, kH = 48;

// The old runtime's colour value of a pixel, whatever the alpha byte.
Rgb rgbAt(const QImage& im, int x, int y) {
  const QRgb c = im.pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

// Extent of the dark pixels of an image drawn in black on white.
QRect inked(const QImage& im) {
  QRect r;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (qGray(im.pixel(x, y)) < 128) r |= QRect(x, y, 1, 1);
  return r;
}

// Mode n's result bit for pen bit p and screen bit d is bit 2p + d of n - 1.
Rgb oracle(int mode, Rgb pen, Rgb screen) {
  const auto where = [&](int bit) { return ((mode - 1) >> bit & 1) ? 0xFFFFFFu : 0u; };
  return ((~pen & ~screen & where(0)) | (~pen & screen & where(1)) | (pen & ~screen & where(2)) |
          (pen & screen & where(3)));
}

TEST(DrawSurfaceTest, EveryDrawModeCombinesPenAndScreenBitwise) {
  const std::tuple<std::string, int, std::function<void(DrawSurface&, Rgb)>> shapes[] = {
      // name, pen width, drawing
      {"line", 3, [](DrawSurface& s, Rgb c) { s.Line(5, 5, 58, 40, c); }},
      {"box", 1, [](DrawSurface& s, Rgb c) { s.Line(4, 6, 50, 30, c, LineShape::Box); }},
      {"circle", 2, [](DrawSurface& s, Rgb c) { s.Circle(32, 24, 15, c, 0.6f); }},
      {"dot", 7, [](DrawSurface& s, Rgb c) { s.PSet(20, 20, c); }},
      {"text", 1,
       [](DrawSurface& s, Rgb c) {
         s.setFontName(QString::fromUtf8("ＭＳ Ｐゴシック"));
         s.setFontSize(20);
         s.setFontBold(true);
         s.setForeColor(c);
         s.setCurrentY(8);
         s.Print(QStringLiteral("W8#"));
       }},
  };
  // A background where every pixel differs and every bit occurs as 0 and 1.
  QImage background(kW, kH, QImage::Format_RGB32);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      background.setPixel(x, y, qRgb(x * 4, y * 5, (x * 7 + y * 3) & 0xFF));
  const Rgb pen = RGB(0x5A, 0xC3, 0x96);
  const bool haveFont = QFontDatabase::families().contains(QStringLiteral("IPAPGothic"));
  for (const auto& [name, width, draw] : shapes) {
    if (name == "text" && !haveFont) continue;
    for (int mode = 1; mode <= 16; ++mode) {
      SCOPED_TRACE(name + " mode " + std::to_string(mode));
      // Where the shape covers pixels: drawn white on black, full coverage is white.
      DrawSurface mask(kW, kH), s(kW, kH);
      mask.setBackColor(0);
      mask.setDrawMode(mode == 13 ? 13 : 16);
      mask.setDrawWidth(width);
      draw(mask, 0xFFFFFF);
      ASSERT_TRUE(s.PaintPicture(background, 0, 0));
      ASSERT_TRUE(s.setDrawMode(mode) && s.setDrawWidth(width));
      draw(s, pen);
      // Pixels partly covered by the smoothed copy mode's edges count as they came out.
      QImage want = s.image().copy();
      int covered = 0;
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
          const Rgb m = rgbAt(mask.image(), x, y), d = rgbAt(background, x, y);
          covered += m == 0xFFFFFF;
          if (m == 0 || m == 0xFFFFFF)
            want.setPixel(x, y, toQColor(m ? oracle(mode, pen, d) : d).rgb());
        }
      EXPECT_TRUE(s.image() == want && covered > 10);
    }
  }
}

TEST(DrawSurfaceTest, ShapesCoverTheirRoundedCoordinatesAndRefusedValuesKeepTheOldOne) {
  using Draw = std::function<void(DrawSurface&)>;
  // clang-format off
  const std::tuple<int, Draw, QRect> cases[] = {  // pen width, shape, inked extent
      {1, [](DrawSurface& s) { s.Circle(50, 50, 20); }, QRect(30, 30, 41, 41)},
      {1, [](DrawSurface& s) { s.Circle(50, 50, 20, {}, 0.5f); }, QRect(30, 40, 41, 21)},
      {1, [](DrawSurface& s) { s.Line(2.5f, 3.5f, 10.5f, 3.5f); }, QRect(2, 4, 9, 1)},  // to even
      {1, [](DrawSurface& s) { s.PSet(-1, 500); }, QRect()},
      {5, [](DrawSurface& s) { s.PSet(30, 30); }, QRect(28, 28, 5, 5)},
      {3, [](DrawSurface& s) { s.Line(10, 20, 30, 20); }, QRect(9, 19, 23, 3)}};
  // clang-format on
  for (int mode : {13, 9})
    for (const auto& [width, draw, want] : cases) {
      DrawSurface s(120, 100);  // white
      ASSERT_TRUE(s.setDrawMode(mode) && s.setDrawWidth(width));
      EXPECT_FALSE(s.setDrawWidth(0) || s.setDrawMode(0) || s.setDrawMode(17) || s.setFontSize(0));
      draw(s);
      EXPECT_EQ(inked(s.image()), want) << "mode " << mode << " width " << width;
    }
}

// Pictures ignore the draw mode; the clear under one is skipped only where it replaces every
// pixel.
TEST(DrawSurfaceTest, PicturesAreCopiedAtOwnSizeOrStretchedOverTheClear) {
  const QRgb green = qRgb(10, 200, 30), red = qRgb(250, 0, 0), blue = qRgb(0, 0, 255);
  QImage small(4, 2, QImage::Format_RGB32), clear(40, 30, QImage::Format_ARGB32);
  small.fill(green);
  small.setPixel(3, 1, red);
  clear.fill(Qt::transparent);
  // picture, x, y, w, h (w 0: own size), probes
  const std::tuple<QImage, float, float, float, float, std::vector<std::pair<QPoint, QRgb>>>
      cases[] = {
          {small, 5, 5, 0, 0, {{{5, 5}, green}, {{8, 6}, red}, {{9, 6}, blue}}},
          {small, 0, 0, 20, 30, {{{5, 5}, green}, {{35, 5}, blue}}},
          {clear, 0, 0, 40, 30, {{{5, 5}, blue}, {{35, 5}, blue}}},
      };
  for (const auto& [picture, x, y, w, h, probes] : cases) {
    DrawSurface s(40, 30);
    s.PSet(35, 5, RGB(255, 0, 0));  // something to clear
    s.setBackColor(RGB(0, 0, 255));
    s.setDrawMode(6);
    s.Cls();
    EXPECT_TRUE(w ? s.PaintPicture(picture, x, y, w, h) : s.PaintPicture(picture, x, y));
    for (const auto& [at, want] : probes) EXPECT_EQ(s.image().pixel(at) | 0xFF000000, want);
  }
}

TEST(DrawSurfaceTest, ResizeKeepsTheDrawingAndHighDpiKeepsLogicalCoordinates) {
  DrawSurface s(20, 20);
  s.setBackColor(RGB(0, 0, 255));
  s.PSet(5, 5, RGB(255, 0, 0));
  s.resize(30, 10);
  EXPECT_EQ(std::pair(rgbAt(s.image(), 5, 5), rgbAt(s.image(), 25, 5)),
            std::pair(RGB(255, 0, 0), RGB(0, 0, 255)));
  s.setDevicePixelRatio(2.0);
  s.setDrawMode(9);
  s.Line(10, 8, 28, 8, 0);  // logical (20, 8) is (40, 16)
  EXPECT_EQ(std::tuple(s.image().size(), rgbAt(s.image(), 40, 16), rgbAt(s.image(), 40, 18)),
            std::tuple(QSize(60, 20), 0u, RGB(0, 0, 255)));
}

// The view shows the surface at once when it reports a change.
TEST(SurfaceViewTest, FollowsTheViewsSizeAndShowsTheRefreshedSurface) {
  DrawSurface surface;
  SurfaceView view(surface);
  view.resize(50, 40);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_EQ(QSize(surface.width(), surface.height()), QSize(50, 40));
  surface.setBackColor(RGB(0, 0, 255));
  surface.PSet(22, 30, RGB(0, 255, 0));
  surface.Refresh();
  const QImage shown = view.grab().toImage();
  EXPECT_EQ(std::pair(rgbAt(shown, 22, 30), rgbAt(shown, 45, 35)),
            std::pair(RGB(0, 255, 0), RGB(0, 0, 255)));
}

}  // namespace
}  // namespace kwemo
