// Outline, frame offset and placement arithmetic of the clock window.
#include <gtest/gtest.h>

#include "clockwindow/WindowOutline.h"
#include "clockwindow/WindowPlacement.h"

namespace kwemo {
namespace {

TEST(FrameOffset, FromOuterWidthInTwipsAndClientWidth) {
  struct Case {
    double outerTwips, scaleWidth, tpp;
    int expected;
  } cases[] = {
      {1920, 120, 15, 5},  // 4-pixel frame at 96 dpi
      {1935, 120, 15, 5},  // 9 pixels of frame: 9 / 2 truncates to 4
      {1785, 120, 15, 1},  // a frame of -1 pixel: -1 / 2 truncates toward zero
  };
  for (const Case& c : cases) {
    EXPECT_EQ(frameOffsetFor(c.outerTwips, c.scaleWidth, c.tpp), c.expected)
        << c.outerTwips << " twips, client " << c.scaleWidth;
  }
}

TEST(EllipticOutline, EllipseStripAndBareEllipse) {
  const QRegion ellipse = ellipticOutline(5, 120, 120);
  EXPECT_EQ(ellipse.boundingRect(), QRect(5, 5, 120, 120));
  struct Point {
    int x, y;
    bool inside;
  } ellipsePoints[] = {
      {65, 5, true}, {124, 65, true}, {65, 4, false}, {125, 65, false}, {8, 120, false},
  };
  for (const Point& p : ellipsePoints) {
    EXPECT_EQ(ellipse.contains(QPoint(p.x, p.y)), p.inside) << p.x << "," << p.y;
  }

  // The 18-pixel strip at the bottom of the 120 x 120 client area widens the outline to its
  // rectangle, minus the corner pixels.
  const QRegion withStrip = ellipticOutline(5, 120, 120, StripBox{102, 120, 18});
  Point stripPoints[] = {
      {6, 107, true},    {5, 108, true},   {5, 107, false},
      {124, 124, false}, {10, 100, false},  // above the strip, outside the ellipse
  };
  for (const Point& p : stripPoints) {
    EXPECT_EQ(withStrip.contains(QPoint(p.x, p.y)), p.inside) << p.x << "," << p.y;
  }
  // A strip of height 0 adds nothing.
  EXPECT_EQ(ellipticOutline(5, 120, 120, StripBox{120, 120, 0}), ellipse);
}

TEST(Placement, PullBackOntoTheScreen) {
  const QRect screen(0, 0, 1024, 768);
  const QRect second(1024, 0, 800, 600);
  struct Case {
    QRect window, screen;
    QPoint expected;
  } cases[] = {
      {{-50, -20, 128, 128}, screen, {0, 0}},        // past left and top
      {{100, 100, 2000, 1000}, screen, {0, 0}},      // larger than the screen: left/top win
      {{1900, 550, 128, 128}, second, {1696, 472}},  // a screen not at the origin
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pullBackOntoScreen(c.window, c.screen), c.expected) << c.window.x();
  }
}

TEST(Placement, OffScreenWindowComesBackOntoNearestScreen) {
  const QList<QRect> one{{0, 0, 1024, 768}};
  const QList<QRect> two{{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
  struct Case {
    QRect window;
    QList<QRect> screens;
    QPoint expected;
  } cases[] = {
      {{1000, 700, 128, 128}, one, {1000, 700}},   // partly visible: left alone
      {{3000, 100, 128, 128}, one, {896, 100}},    // right monitor gone
      {{2000, 1100, 128, 128}, two, {2000, 896}},  // below the taller right screen
      {{100, 900, 128, 128}, two, {100, 640}},     // below the left screen
      {{3000, 100, 128, 128}, {}, {3000, 100}},    // no screen known: nothing to do
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bringOntoScreens(c.window, c.screens), c.expected)
        << c.window.x() << "," << c.window.y();
  }
}

TEST(Placement, GeometryFromTwips) {
  const QSize minimum(24, 24);
  EXPECT_EQ(geometryFromTwips(1500, 750, 1920, 1920, 15, 15, minimum), QRect(100, 50, 128, 128));
  EXPECT_EQ(geometryFromTwips(1500, 0, 0, 0, 15, 15, minimum), QRect(100, 0, 24, 24));
  EXPECT_EQ(geometryFromTwips(1e30, -1e30, 1920, 1920, 15, 15, minimum).topLeft(),
            QPoint(1000000, -1000000));
}

}  // namespace
}  // namespace kwemo
