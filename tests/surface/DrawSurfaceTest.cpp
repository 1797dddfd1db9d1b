#include <gtest/gtest.h>
#include <QFontDatabase>
#include <QImage>

#include <functional>
#include <string>

#include "picture/Picture.h"
#include "surface/DrawSurface.h"

namespace kwemo {
namespace {

constexpr int kW = 64;
constexpr int kH = 48;
const QString kPGothic = QString::fromUtf8("ＭＳ Ｐゴシック");

bool haveIpaPGothic() { return QFontDatabase::families().contains(QStringLiteral("IPAPGothic")); }

// 0x00RRGGBB of a pixel, whatever the alpha byte.
Rgb rgbAt(const QImage& im, int x, int y) {
  const QRgb c = im.pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

// A background where every pixel differs and every bit occurs as 0 and 1.
QImage gradient() {
  QImage im(kW, kH, QImage::Format_RGB32);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) im.setPixel(x, y, qRgb(x * 4, y * 5, (x * 7 + y * 3) & 0xFF));
  return im;
}

// Mode n's result bit for pen bit p and screen bit d is bit 2p + d of n - 1.
Rgb oracle(int mode, Rgb pen, Rgb screen) {
  Rgb out = 0;
  for (int bit = 0; bit < 24; ++bit) {
    const unsigned p = (pen >> bit) & 1u, d = (screen >> bit) & 1u;
    out |= static_cast<Rgb>(((mode - 1) >> (2 * p + d)) & 1) << bit;
  }
  return out;
}

struct Shape {
  const char* name;
  int width;
  std::function<void(DrawSurface&, Rgb)> draw;
};

const Shape kShapes[] = {
    {"line", 3, [](DrawSurface& s, Rgb c) { s.Line(5, 5, 58, 40, c); }},
    {"box", 1, [](DrawSurface& s, Rgb c) { s.Line(4, 6, 50, 30, c, LineShape::Box); }},
    {"circle", 2, [](DrawSurface& s, Rgb c) { s.Circle(32, 24, 15, c, 0.6f); }},
    {"dot", 7, [](DrawSurface& s, Rgb c) { s.PSet(20, 20, c); }},
    {"pixel", 1,
     [](DrawSurface& s, Rgb c) {
       for (int i = 0; i < 12; ++i) s.PSet(static_cast<float>(3 + 5 * i), 40, c);
     }},
    {"text", 1,
     [](DrawSurface& s, Rgb c) {
       s.setFontName(kPGothic);
       s.setFontSize(20);
       s.setFontBold(true);
       s.setForeColor(c);
       s.setCurrentY(8);
       s.Print(QStringLiteral("W8#"));
     }},
};

// Where a shape covers pixels: drawn white on black, full coverage is white, none is black.
QImage coverage(const Shape& shape, int mode) {
  DrawSurface s(kW, kH);
  s.setBackColor(0);
  s.setDrawMode(mode == 13 ? 13 : 16);
  s.setDrawWidth(shape.width);
  shape.draw(s, 0xFFFFFF);
  return s.image();
}

TEST(DrawSurfaceTest, EveryDrawModeCombinesPenAndScreenBitwise) {
  const Rgb pen = RGB(0x5A, 0xC3, 0x96);
  const QImage background = gradient();
  for (const Shape& shape : kShapes) {
    if (std::string(shape.name) == "text" && !haveIpaPGothic()) continue;
    for (int mode = 1; mode <= 16; ++mode) {
      SCOPED_TRACE(std::string(shape.name) + " mode " + std::to_string(mode));
      const QImage mask = coverage(shape, mode);
      DrawSurface s(kW, kH);
      ASSERT_TRUE(s.PaintPicture(background, 0, 0));
      ASSERT_TRUE(s.setDrawMode(mode) && s.setDrawWidth(shape.width));
      shape.draw(s, pen);
      const QImage& im = s.image();
      int covered = 0, wrong = 0;
      for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
          const Rgb m = rgbAt(mask, x, y), d = rgbAt(background, x, y);
          if (m != 0 && m != 0xFFFFFF) continue;  // partly covered edge of the smoothed copy mode
          covered += m != 0;
          const Rgb want = m ? oracle(mode, pen, d) : d;
          if (rgbAt(im, x, y) != want && wrong++ == 0) {
            ADD_FAILURE() << "first at " << x << "," << y << std::hex << " got " << rgbAt(im, x, y)
                          << " want " << want;
          }
        }
      }
      EXPECT_EQ(wrong, 0);
      EXPECT_GT(covered, 10);
      EXPECT_EQ(qAlpha(im.pixel(0, 0)), 255);
    }
  }
}

TEST(DrawSurfaceTest, RefusedValuesKeepTheOldOne) {
  DrawSurface s;
  ASSERT_TRUE(s.setDrawWidth(3) && s.setDrawMode(7));
  EXPECT_FALSE(s.setDrawWidth(0) || s.setDrawMode(0) || s.setDrawMode(17) || s.setFontSize(0));
  EXPECT_EQ(s.DrawWidth(), 3);
  EXPECT_EQ(s.DrawMode(), 7);
  EXPECT_FALSE(s.PaintPicture(static_cast<const Picture*>(nullptr), 0, 0, 10, 10));
}

// Extent of the dark pixels of an image drawn in black on white.
QRect inked(const QImage& im) {
  QRect r;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      if (qGray(im.pixel(x, y)) < 128) r |= QRect(x, y, 1, 1);
  return r;
}

void whiten(DrawSurface& s, int mode) {
  s.resize(120, 100);
  s.setBackColor(0xFFFFFF);
  s.setDrawMode(mode);
}

TEST(DrawSurfaceTest, ShapesCoverTheirRoundedCoordinates) {
  struct Case {
    const char* name;
    std::function<void(DrawSurface&)> draw;
    QRect want;
  };
  const Case cases[] = {
      {"circle", [](DrawSurface& s) { s.Circle(50, 50, 20); }, QRect(30, 30, 41, 41)},
      {"ellipse", [](DrawSurface& s) { s.Circle(50, 50, 20, {}, 0.5f); }, QRect(30, 40, 41, 21)},
      {"halves to even", [](DrawSurface& s) { s.Line(2.5f, 3.5f, 10.5f, 3.5f); },
       QRect(2, 4, 9, 1)},
      {"pixel off the surface", [](DrawSurface& s) { s.PSet(-1, 500); }, QRect()},
      {"wide dot",
       [](DrawSurface& s) {
         s.setDrawWidth(5);
         s.PSet(30, 30);
       },
       QRect(28, 28, 5, 5)},
      {"wide line",
       [](DrawSurface& s) {
         s.setDrawWidth(3);
         s.Line(10, 20, 30, 20);
       },
       QRect(9, 19, 23, 3)},
  };
  for (int mode : {13, 9}) {
    for (const Case& c : cases) {
      DrawSurface s;
      whiten(s, mode);
      c.draw(s);
      EXPECT_EQ(inked(s.image()), c.want) << c.name << " mode " << mode;
    }
  }
}

TEST(DrawSurfaceTest, PrintPutsTheTopLeftAtTheTextPositionAndMovesToTheNextLine) {
  if (!haveIpaPGothic()) GTEST_SKIP() << "IPAPGothic is not installed";
  for (int mode : {13, 9}) {
    DrawSurface s;
    whiten(s, mode);
    s.setFontName(kPGothic);
    s.setFontSize(8);
    const QString text = QStringLiteral("1/5 9:07");
    EXPECT_EQ(s.TextWidth(text), 47);
    s.setCurrentX(30);
    s.setCurrentY(20.5f);  // rounds to 20
    s.Print(text);
    const QRect ink = inked(s.image());
    EXPECT_TRUE(QRect(30, 20, 47, 12).contains(ink)) << "mode " << mode;
    EXPECT_LE(ink.top(), 22);  // the digits reach almost up to the ascent
    EXPECT_EQ(s.CurrentY(), 32.5f);
    s.Print(text, false);
    EXPECT_EQ(s.CurrentX(), 47);
    EXPECT_EQ(s.CurrentY(), 32.5f);
    s.Cls();
    EXPECT_EQ(s.CurrentX() + s.CurrentY(), 0);
    EXPECT_EQ(inked(s.image()), QRect());
  }
}

TEST(DrawSurfaceTest, PicturesAreCopiedAtOwnSizeOrStretched) {
  QImage pic(4, 2, QImage::Format_RGB32);
  pic.fill(qRgb(10, 200, 30));
  pic.setPixel(3, 1, qRgb(250, 0, 0));
  DrawSurface s(40, 30);
  s.setBackColor(0xFFFFFF);
  s.setDrawMode(6);  // pictures ignore the draw mode
  EXPECT_TRUE(s.PaintPicture(pic, 5, 5));
  EXPECT_EQ(rgbAt(s.image(), 5, 5), RGB(10, 200, 30));
  EXPECT_EQ(rgbAt(s.image(), 8, 6), RGB(250, 0, 0));
  EXPECT_TRUE(s.PaintPicture(pic, 0, 10, 40, 20));
  EXPECT_EQ(redOf(rgbAt(s.image(), 38, 28)), 250);
  EXPECT_EQ(rgbAt(s.image(), 20, 9), 0xFFFFFFu);
}

// The clear under a picture is skipped only where the picture replaces every pixel.
TEST(DrawSurfaceTest, ClearShowsWhereAPictureLeavesPixels) {
  struct Case {
    const char* name;
    QImage::Format format;
    float x, w;
    QRgb at5, at35;  // pixels (5, 5) and (35, 5) after Cls + PaintPicture
  };
  const QRgb pic = qRgb(10, 200, 30), back = qRgb(0, 0, 255);
  const Case cases[] = {
      {"opaque, whole surface", QImage::Format_RGB32, 0, 40, pic, pic},
      {"opaque, left half", QImage::Format_RGB32, 0, 20, pic, back},
      {"transparent, whole surface", QImage::Format_ARGB32, 0, 40, back, back},
  };
  for (const Case& c : cases) {
    QImage picture(40, 30, c.format);
    picture.fill(c.format == QImage::Format_RGB32 ? QColor(pic) : QColor(Qt::transparent));
    DrawSurface s(40, 30);
    s.PSet(35, 5, RGB(255, 0, 0));  // something to clear
    s.setBackColor(RGB(0, 0, 255));
    s.Cls();
    s.PaintPicture(picture, c.x, 0, c.w, 30);
    EXPECT_EQ(s.image().pixel(5, 5), c.at5) << c.name;
    EXPECT_EQ(s.image().pixel(35, 5), c.at35) << c.name;
  }
}

TEST(DrawSurfaceTest, ResizeKeepsTheDrawingAndHighDpiKeepsLogicalCoordinates) {
  DrawSurface s(20, 20);
  s.setBackColor(RGB(0, 0, 255));
  s.PSet(5, 5, RGB(255, 0, 0));
  s.resize(30, 10);
  EXPECT_EQ(rgbAt(s.image(), 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(rgbAt(s.image(), 25, 5), RGB(0, 0, 255));
  s.setDevicePixelRatio(2.0);
  EXPECT_EQ(s.image().size(), QSize(60, 20));
  s.setDrawMode(9);
  s.Line(10, 8, 28, 8, 0);
  EXPECT_EQ(rgbAt(s.image(), 40, 16), 0u);  // logical (20, 8)
  EXPECT_EQ(rgbAt(s.image(), 40, 18), RGB(0, 0, 255));
}

}  // namespace
}  // namespace kwemo
