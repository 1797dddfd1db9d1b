#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

#include "PictureData.h"
#include "picture/Picture.h"

namespace kwemo {

namespace {

// Opaque dark pixels: drawn text.
int inkIn(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      ink += c.alpha() > 200 && c.red() < 80 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
    }
  return ink;
}

// What the clock does before an EMF is typed into the settings dialog: a WMF background with text,
// Japanese labels in a Latin font (Qt keeps fontconfig's fallback fonts for them). Then an EMF
// whose text is glyph indices, which the converter resolves through fontconfig, then fonts Qt has
// not looked up yet. Exits 0 only when every step worked.
void wmfThenEmfThenFontLookUp() {
  const auto wmf = LoadPictureFromData(pictureData("shapes.wmf"));
  if (!wmf || inkIn(wmf->image) == 0) std::exit(2);
  QImage label(200, 40, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&label);
  painter.setFont(QFont(QStringLiteral("Arial")));
  painter.drawText(QPointF(2, 30), QString::fromUtf8("画像 - W:120 , H:80"));
  painter.end();

  // The text is glyph indices (46 and 58, "KW" in Arial), as printer drivers write it.
  const QByteArray emf = pictureData("glyph-text.emf");
  for (int i = 0; i < 2; ++i) {
    const auto picture = LoadPictureFromData(emf);
    if (!picture || inkIn(picture->image) == 0) std::exit(3);
  }
  for (const char* family : {"DejaVu Serif", "Liberation Mono", "IPAGothic"}) {
    QFont font{QString::fromLatin1(family)};
    font.setPixelSize(23);
    font.setItalic(true);
    if (QFontMetrics(font).horizontalAdvance(QStringLiteral("KW")) <= 0) std::exit(4);
    if (QFontInfo(font).family().isEmpty()) std::exit(5);
  }
  if (QFontDatabase::families().isEmpty()) std::exit(6);
  std::exit(0);
}

}  // namespace

// In a child process: an abort inside fontconfig fails this test instead of ending the suite.
TEST(MetafileFonts, EmfTextAfterWmfLeavesQtFontsWorking) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(wmfThenEmfThenFontLookUp(), testing::ExitedWithCode(0), "");
}

}  // namespace kwemo
