#include <gtest/gtest.h>

#include <QImage>

#include "clock/FaceDrawing.h"
#include "surface/DrawSurface.h"

namespace kwemo {
namespace {

// Every length a hand may be given draws: a long hand runs out of the window whatever its
// length, a negative one points the other way.
TEST(HandLength, EveryLengthDrawsToTheWindowsEdge) {
  struct Case {
    double length;
    float degrees;
    QPoint inked;  // near the window's edge
    QPoint clear;  // the other side of the centre
  };
  const Case cases[] = {
      {150, 0, {118, 60}, {2, 60}},    {1e6, 0, {118, 60}, {2, 60}},
      {1e12, 0, {118, 60}, {2, 60}},   {1e30, 0, {118, 60}, {2, 60}},
      {3.4e38, 0, {118, 60}, {2, 60}}, {1e308, 90, {60, 118}, {60, 2}},
      {-1e30, 0, {2, 60}, {118, 60}},  {1e30, 45, {117, 117}, {3, 3}},
      {1e30, -90, {60, 1}, {60, 118}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " at " << c.degrees);
    DrawSurface surface(120, 120);
    surface.setBackColor(RGB(255, 255, 255));
    surface.Cls();
    surface.setDrawWidth(2);
    DrawHand(surface, 60, 60, c.degrees * kSingleRad, c.length, RGB(0, 0, 0));
    const QImage& im = surface.image();
    EXPECT_LT(qGray(im.pixel(c.inked)), 128);
    EXPECT_GT(qGray(im.pixel(c.clear)), 200);
  }
}

}  // namespace
}  // namespace kwemo
