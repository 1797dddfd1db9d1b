// The message strip: roll-out, marker and text, scrolling with its hold, dropping a message, the
// roll-away and the outline calls while the window is elliptic.
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <QWidget>

#include "Waits.h"
#include "clockwindow/MessageStrip.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

struct Strip {
  QWidget client;
  bool elliptic = false;
  QStringList rgnCalls;  // mode, msgmode and delreg, @ the strip's height at the call
  int faceRepaints = 0;
  MessageStrip strip{
      client, MessageStrip::Window{
                  [this] { return elliptic; },
                  [this](bool m, bool s, bool d) {
                    rgnCalls << QString("%1%2%3@%4").arg(m).arg(s).arg(d).arg(strip.height());
                  },
                  [this] { ++faceRepaints; }}};

  Strip() {
    client.resize(120, 120);
    client.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&client, test::kWaitMs));
  }
  // The first and the last column holding text (cyan) pixels; -1 when there are none.
  std::pair<int, int> textColumns() {
    const QImage& image = strip.surface().image();
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
      for (int y = 0; y < image.height(); ++y)
        if (const QRgb c = image.pixel(x, y); qRed(c) < 60 && qGreen(c) > 150 && qBlue(c) > 150) {
          if (first < 0) first = x;
          last = x;
        }
    return {first, last};
  }
};

TEST(MessageStrip, ShortMessageIsPrintedBesideTheMarkerAndAKeyDropsTheNext) {
  Strip s;
  s.strip.ShowMsg(QStringLiteral("Hey! I'm KWEMO."), 0);
  EXPECT_EQ(s.strip.picMsg().geometry(), QRect(0, 102, 120, 18));
  EXPECT_TRUE(s.strip.picMsg().isVisible() && s.strip.timMsg().isActive());
  EXPECT_TRUE(s.rgnCalls.empty());  // a rectangular window keeps its outline

  // The marker: a vertical line at x = 6, a horizontal one at 18 / 1.25 = 14.4, a circle.
  for (QPoint p : {QPoint(6, 0), QPoint(6, 17), QPoint(119, 14)}) {
    const QRgb c = s.strip.surface().image().pixel(p);
    EXPECT_TRUE(qRed(c) > 150 && qGreen(c) < 60 && qBlue(c) < 60) << p.x() << "," << p.y();
  }
  // The text starts right of the marker's line.
  const auto [first, last] = s.textColumns();
  EXPECT_TRUE(first >= 7 && first <= 9 && last > first + 40 && last < 120) << first << "-" << last;

  // A key while events run at the start of the next message drops that message.
  QTimer::singleShot(0, [&] { s.strip.setMsgActive(false); });
  s.strip.ShowMsg(QStringLiteral("Hello, how are you?"), 0);
  EXPECT_FALSE(s.strip.timMsg().isActive());
  EXPECT_EQ(s.textColumns().first, -1);
}

// Seven roll-out steps (six for 17), 10 ms a frame, and a 300 ms hold only when a third of the
// height is whole.
TEST(MessageStrip, LongMessageScrollsAfterItsHoldAndStopsShortOfTheRightEdge) {
  for (int height : {18, 17}) {
    SCOPED_TRACE(height);
    Strip s;
    s.strip.setHeight(height);
    // Frames of overflow beyond the room right of the marker; a few make a hold stand out.
    auto frames = [&](const QString& text) {
      const int tw = qRound(s.strip.surface().TextWidth(text));
      return qMax(0, qRound(height / 3.0) - qFloor((120 - tw) - height / 3.0));
    };
    QString text = height == 18 ? QStringLiteral("Hello, I'm KWEMO. Scrolling along") : "Hello";
    while (frames(text) < 4) text += QLatin1Char('o');
    test::SteppedTicks ticks;
    const std::int64_t start = TickCount();
    s.strip.ShowMsg(text, 0);
    EXPECT_EQ(TickCount() - start, (height == 18 ? 7 * 10 + 300 : 6 * 10) + frames(text) * 10);
    EXPECT_TRUE(s.strip.timMsg().isActive());
    if (height == 18) {  // the last frame leaves the text's end about 6 pixels short of the edge
      const auto [first, last] = s.textColumns();
      EXPECT_TRUE(first == 0 && last >= 108 && last <= 115) << first << "-" << last;
    }
  }
}

// A press hides the strip at once; the roll-away still follows and restores the bare ellipse.
TEST(MessageStrip, EllipticWindowFollowsTheStripOutAndBack) {
  Strip s;
  s.elliptic = true;
  s.strip.ShowMsg(QStringLiteral("Elliptic Form."), 0);
  EXPECT_EQ(s.rgnCalls.join(' '), "110@0 110@3 110@6 110@9 110@12 110@15 110@18");

  s.strip.hideNow();
  EXPECT_FALSE(s.strip.picMsg().isVisible());
  s.rgnCalls.clear();
  ASSERT_TRUE(test::waitUntil([&] { return !s.strip.timMsg().isActive(); }));
  // The roll-away, then the bare ellipse again.
  EXPECT_EQ(s.rgnCalls.join(' '), "110@18 110@15 110@12 110@9 110@6 110@3 110@0 100@18");
  EXPECT_EQ(s.faceRepaints, 7);
  EXPECT_EQ(s.strip.height(), 18);
  EXPECT_FALSE(s.strip.picMsg().isVisible());
}

}  // namespace
}  // namespace kwemo
