#include <gtest/gtest.h>

#include <QColor>
#include <vector>

#include "PictureData.h"
#include "picture/ClipGeometry.h"
#include "picture/Picture.h"

namespace kwemo {

// huge-text-box.wmf: 100 x 100 pixels, a unit the whole picture; twelve 100-letter texts in a font
// 500 units high, turned by 45 degrees, on an opaque red box millions of pixels long whose middle
// covers the picture. Each of these opaque text boxes took the rasterizer over a second, though
// only 100 x 100 pixels of it show; the playback's time limit then refused the picture. Cut to the
// picture, they take no time worth mentioning (bench/pictures has the figures).
TEST(WmfBounds, HugeShapesAreDrawnOnlyWhereTheyShow) {
  const QByteArray data = pictureData("huge-text-box.wmf");
  ASSERT_LT(data.size(), 2000);
  const auto picture = LoadPictureFromData(data);
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->image.size(), QSize(100, 100));
  for (const QPoint at :
       {QPoint(0, 0), QPoint(50, 50), QPoint(99, 0), QPoint(0, 99), QPoint(99, 99)})
    EXPECT_EQ(picture->image.pixelColor(at), QColor(255, 0, 0)) << at.x() << "," << at.y();
}

// The same through the EMF converter and the SVG renderer: about a second a polygon before.
// huge-polygon.emf: twelve red bands some 4 million pixels long along x + y = 0.
TEST(WmfBounds, HugeEmfShapesAreDrawnOnlyWhereTheyShow) {
  const auto picture = LoadPictureFromData(pictureData("huge-polygon.emf"));
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->image.size(), QSize(100, 100));
  for (const QPoint at : {QPoint(50, 50), QPoint(99, 99), QPoint(90, 10), QPoint(10, 90)})
    EXPECT_EQ(picture->image.pixelColor(at), QColor(255, 0, 0)) << at.x() << "," << at.y();
}

TEST(WmfBounds, ClipKeepsWhatIsInside) {
  const QRectF box(0, 0, 10, 10);
  // A triangle poking out to the right keeps its inside part, cut along x = 10.
  const QPolygonF cut = ClipPolygon(QPolygonF{{2, 2}, {30, 5}, {2, 8}}, box);
  const double dy = 3 * 8.0 / 28;
  EXPECT_EQ(cut, (QPolygonF{{2, 2}, {10, 2 + dy}, {10, 8 - dy}, {2, 8}}));
  EXPECT_TRUE(ClipPolygon(QPolygonF{{0, 0}, {qInf(), 5}, {5, 5}}, box).isEmpty());

  struct Case {
    const char* name;
    QPolygonF line;
    std::vector<QPolygonF> runs;
  };
  const Case cases[] = {
      {"leaves and comes back",
       {{1, 5}, {20, 5}, {20, 6}, {1, 6}},
       {{{1, 5}, {10, 5}}, {{10, 6}, {1, 6}}}},
      {"crosses", {{-10, 5}, {20, 5}}, {{{0, 5}, {10, 5}}}},
      {"outside", {{-10, -5}, {20, -5}}, {}},
  };
  for (const Case& c : cases) {
    const std::vector<QPolygonF> runs = ClipPolyline(c.line, box);
    EXPECT_EQ(runs, c.runs) << c.name;
  }
}

}  // namespace kwemo
