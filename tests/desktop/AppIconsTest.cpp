#include <gtest/gtest.h>
#include <QImage>

#include "desktop/AppIcons.h"

namespace kwemo {

// The tray asks for its size times the screen's scale; it must get a picture drawn at that size,
// not a smaller one stretched (which looks blurred at scale 2).
TEST(AppIcons, TrayIconIsDrawnAtTheSizeTheScreenNeeds) {
  const struct {
    int logical;
    qreal ratio;
    int drawn;
  } cases[] = {{22, 1.0, 22}, {16, 2.0, 32}, {22, 2.0, 48}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.logical << "@" << c.ratio);
    const QPixmap pixmap = trayIcon().pixmap(QSize(c.logical, c.logical), c.ratio);
    EXPECT_EQ(pixmap.width(), qRound(c.logical * c.ratio));
    EXPECT_EQ(pixmap.height(), qRound(c.logical * c.ratio));
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), c.ratio);
    // Where a picture of exactly that size exists, it is that picture, untouched.
    if (c.drawn == c.logical * c.ratio) {
      const QImage drawn(QStringLiteral(":/kwemo/kwemo-%1.png").arg(c.drawn));
      ASSERT_FALSE(drawn.isNull());
      EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
                drawn.convertToFormat(QImage::Format_ARGB32));
    }
  }
}

}  // namespace kwemo
