#include <gtest/gtest.h>

#include <QImage>

#include "clock/FaceDrawing.h"
#include "surface/DrawSurface.h"

namespace kwemo {
namespace {

// A hand of any accepted length runs out of the window; a negative one points the other way.
TEST(HandLength, EveryLengthDrawsToTheWindowsEdge) {
  struct Case {
    double length;
    float degrees;
    QPoint inked, clear;  // near the edge; the other side of the centre
  };
  const Case cases[] = {{1e30, 0, {118, 60}, {2, 60}},
                        {1e308, 90, {60, 118}, {60, 2}},
                        {-1e30, 0, {2, 60}, {118, 60}},
                        {3.4e38, 45, {117, 117}, {3, 3}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.length << " at " << c.degrees);
    DrawSurface surface(120, 120);
    surface.setBackColor(RGB(255, 255, 255));
    surface.Cls();
    surface.setDrawWidth(2);
    DrawHand(surface, 60, 60, c.degrees * kSingleRad, c.length, RGB(0, 0, 0));
    EXPECT_LT(qGray(surface.image().pixel(c.inked)), 128);
    EXPECT_GT(qGray(surface.image().pixel(c.clear)), 200);
  }
}

}  // namespace
}  // namespace kwemo
