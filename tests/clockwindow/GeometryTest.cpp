// Outline, frame offset and placement arithmetic of the clock window.
#include <gtest/gtest.h>

#include "clockwindow/WindowOutline.h"
#include "clockwindow/WindowPlacement.h"

namespace kwemo {
namespace {

TEST(FrameOffset, FromOuterWidthInTwipsAndClientWidth) {
  EXPECT_EQ(frameOffsetFor(1920, 120, 15), 5);  // 4-pixel frame at 96 dpi
  EXPECT_EQ(frameOffsetFor(1935, 120, 15), 5);  // 9 pixels of frame: 9 / 2 truncates to 4
  EXPECT_EQ(frameOffsetFor(1785, 120, 15), 1);  // -1 pixel of frame: truncates toward zero
}

TEST(EllipticOutline, EllipseStripAndBareEllipse) {
  const QRegion ellipse = ellipticOutline(5, 120, 120);
  // The 18-pixel strip at the bottom of the 120 x 120 client area widens the outline to its
  // rectangle, minus the corner pixels.
  const QRegion withStrip = ellipticOutline(5, 120, 120, StripBox{102, 120, 18});
  EXPECT_EQ(ellipse.boundingRect(), QRect(5, 5, 120, 120));
  const struct {
    int x, y;
    bool inEllipse, withStrip;
  } points[] = {
      {65, 5, true, true},     {124, 65, true, true},  {65, 4, false, false},
      {125, 65, false, false}, {8, 120, false, true},  {6, 107, false, true},
      {5, 108, false, true},   {5, 107, false, false}, {124, 124, false, false},
      {10, 100, false, false},
  };
  for (const auto& p : points) {
    EXPECT_EQ(ellipse.contains(QPoint(p.x, p.y)), p.inEllipse) << p.x << "," << p.y;
    EXPECT_EQ(withStrip.contains(QPoint(p.x, p.y)), p.withStrip) << p.x << "," << p.y;
  }
  EXPECT_EQ(ellipticOutline(5, 120, 120, StripBox{120, 120, 0}), ellipse);
}

TEST(Placement, OffScreenWindowComesBackOntoNearestScreen) {
  const QList<QRect> one{{0, 0, 1024, 768}};
  const QList<QRect> two{{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
  const struct {
    QRect window;
    QList<QRect> screens;
    QPoint expected;
  } cases[] = {
      {{1000, 700, 128, 128}, one, {1000, 700}},   // partly visible: left alone
      {{3000, 100, 128, 128}, one, {896, 100}},    // right monitor gone
      {{2000, 1100, 128, 128}, two, {2000, 896}},  // below the taller right screen
      {{100, 900, 128, 128}, two, {100, 640}},     // below the left screen
      {{3000, 100, 128, 128}, {}, {3000, 100}},    // no screen known: nothing to do
      {{-3000, -20, 128, 128}, two, {0, 0}},       // past left and top
  };
  for (const auto& c : cases)
    EXPECT_EQ(bringOntoScreens(c.window, c.screens), c.expected) << c.window.x();
  // Larger than the screen: left and top win.
  EXPECT_EQ(pullBackOntoScreen({100, 100, 2000, 1000}, {1024, 0, 800, 600}), QPoint(1024, 0));

  const QSize minimum(24, 24);
  EXPECT_EQ(geometryFromTwips(1500, 0, 0, 0, 15, 15, minimum), QRect(100, 0, 24, 24));
  EXPECT_EQ(geometryFromTwips(1e30, -1e30, 1920, 1920, 15, 15, minimum).topLeft(),
            QPoint(1000000, -1000000));
}

}  // namespace
}  // namespace kwemo
