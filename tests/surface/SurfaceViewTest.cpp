#include <gtest/gtest.h>
#include <QImage>
#include <QTest>

#include "surface/DrawSurface.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

TEST(SurfaceViewTest, ShowsTheSurfaceAndSkipsUnchangedImages) {
  DrawSurface surface;
  SurfaceView view(surface);
  view.resize(50, 40);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  EXPECT_EQ(surface.width(), 50);  // the surface follows the view
  EXPECT_EQ(surface.height(), 40);
  surface.setBackColor(RGB(0, 0, 255));
  surface.setDrawWidth(3);
  surface.Line(10, 10, 40, 10, RGB(255, 0, 0));

  struct Step {
    bool draw;
    int pushedAfter;
  };
  const int start = view.pushedCount();
  const Step steps[] = {{true, 1}, {false, 1}, {true, 2}};
  int x = 12;
  for (const Step& step : steps) {
    if (step.draw) surface.PSet(static_cast<float>(x += 5), 30, RGB(0, 255, 0));
    surface.Refresh();
    EXPECT_EQ(view.pushedCount() - start, step.pushedAfter);
  }
  const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.pixel(20, 10), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(45, 35), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(22, 30), qRgb(0, 255, 0));
}

}  // namespace
}  // namespace kwemo
