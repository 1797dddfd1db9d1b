#include <gtest/gtest.h>

#include <QBitmap>
#include <QLineEdit>
#include <QRegion>
#include <cmath>

#include "FakeHost.h"
#include "Waits.h"
#include "settings/ColorButton.h"
#include "settings/Preview.h"
#include "surface/DrawSurface.h"

namespace kwemo {
namespace {

constexpr Rgb kWhite = RGB(255, 255, 255);
constexpr Rgb kMarks = RGB(0, 0, 255);
constexpr Rgb kHour = RGB(255, 0, 0);
constexpr Rgb kMinute = RGB(0, 160, 0);
constexpr double kRad = 3.14159265358979 / 180;

std::function<QDateTime()> at(int h, int m, int s) {
  return [=] { return QDateTime(QDate(2026, 12, 6), QTime(h, m, s)); };
}

bool is(const DrawSurface& surface, QPoint at, Rgb expected) {
  const QRgb p = surface.image().pixel(at);
  return std::abs(qRed(p) - redOf(expected)) < 40 && std::abs(qGreen(p) - greenOf(expected)) < 40 &&
         std::abs(qBlue(p) - blueOf(expected)) < 40;
}

// A 200 x 100 box, and a look the tests below vary.
struct Preview : ::testing::Test {
  DrawSurface surface{200, 100};
  FaceState face;
  PreviewInputs in{.drawMode = 13,
                   .backColor = kWhite,
                   .circleColor = kMarks,
                   .mojiColor = RGB(255, 128, 0),
                   .handColor = {kHour, kMinute, RGB(255, 0, 255)},
                   .handWidth = {3, 3, 3},
                   .markWidth = 5,
                   .handLength = {60.0, 80.0, 95.0},
                   .fontSize = 20,
                   .fontName = "DejaVu Sans",
                   .textTop = 50,
                   .format = "\"WW\""};
};

// Where the face of a 200 x 100 box puts things at 09:15:30: the hour hand to the left, the
// minute hand to the right, the second hand down; the ring is a circle, not the clock's ellipse.
// The dot is the one at 1 minute past.
const QPoint kRingTop(100, 20), kInsideRing(100, 35), kMark3(189, 50), kHourHand(58, 47),
    kMinuteHand(164, 51), kSecondHand(100, 85), kDot(110, 4);

TEST_F(Preview, DrawsMarksRingTextAndHandsOnANonSquareBox) {
  DrawPreview(surface, face, in, at(9, 15, 30));
  const std::pair<QPoint, Rgb> spots[] = {
      {kRingTop, kMarks},     {kInsideRing, kWhite},           {kMark3, kMarks}, {kHourHand, kHour},
      {kMinuteHand, kMinute}, {kSecondHand, RGB(255, 0, 255)}, {kDot, kWhite}};
  for (const auto& [spot, color] : spots)
    EXPECT_TRUE(is(surface, spot, color)) << spot.x() << ',' << spot.y();

  // Tick marks off: no marks and no ring, the hands stay; the digital text centred at its height.
  in.tickMarks = false;
  in.minuteDots = in.digitalText = true;
  in.handLength[2] = std::nullopt;
  DrawPreview(surface, face, in, at(9, 15, 30));
  for (const QPoint& s : {kRingTop, kMark3, kDot}) EXPECT_TRUE(is(surface, s, kWhite)) << s.x();
  EXPECT_TRUE(is(surface, kHourHand, kHour));
  const QRect text = QRegion(QBitmap::fromImage(surface.image().createMaskFromColor(
                                 qRgb(255, 128, 0), Qt::MaskOutColor)))
                         .boundingRect();
  EXPECT_NEAR(text.center().x(), 100, 4);
  EXPECT_NEAR(text.center().y(), 50, 5);
}

TEST_F(Preview, UnreadableValuesSkipOnlyTheirOwnStep) {
  // An empty minute length: only that hand goes, its angle is stored all the same.
  in.handLength[1] = std::nullopt;
  DrawPreview(surface, face, in, at(9, 15, 30));
  EXPECT_TRUE(is(surface, kMinuteHand, kWhite) && is(surface, kHourHand, kHour));
  EXPECT_NEAR(face.MinuteAngle, 3 * kRad, 1e-6);
  // No width, no draw mode, no font size: the previous ones stay in force.
  surface.setDrawWidth(4);
  in.handWidth = {};
  in.markWidth = std::nullopt;
  in.fontSize = std::nullopt;
  in.drawMode = 0;
  DrawPreview(surface, face, in, at(9, 15, 30));
  EXPECT_EQ(std::tuple(surface.DrawWidth(), surface.DrawMode(), surface.FontSize()),
            std::tuple(4, 13, 20.0f));
}

TEST_F(Preview, FanIsTwentyLinesFromMinusOneDegree) {
  DrawSurface big(400, 400);
  in.fanHands = true;
  in.handWidth = {1, 1, 1};
  in.handLength = {100.0, 50.0, 50.0};
  in.tickMarks = in.secondHand = false;
  face.SecondAngle = 0.5f;
  DrawPreview(big, face, in, at(0, 0, 0));
  // The last of twenty lines lies at +0.9 degrees (a 21st would be at +1.0).
  EXPECT_NEAR(face.HourAngle, -89.1 * kRad, 2e-6);
  EXPECT_FLOAT_EQ(face.SecondAngle, 0.5f);  // hidden: kept
  // The hour fan spans -91 to -89.1 degrees: at 190 pixels above the centre, x 196.7 to 203.0.
  for (const auto& [x, colour] :
       {std::pair{197, kHour}, {202, kHour}, {194, kWhite}, {205, kWhite}})
    EXPECT_TRUE(is(big, {x, 10}, colour)) << x;
}

TEST(PreviewInDialog, TheDialogsTimerDrawsItsControls) {
  test::OpenDialog o(FirstRunSettings(), at(9, 15, 30));
  DrawSurface& surface = o.dlg->previewSurface();
  o.c<ColorButton>("cmdHari", 3).setBackColor(RGB(0, 0, 90));
  EXPECT_TRUE(test::waitUntil([&] { return is(surface, {1, 1}, RGB(0, 0, 90)); }));
  // 09:15:30 puts the black hour hand left of the centre; typing an empty length removes it.
  EXPECT_TRUE(is(surface, {40, 58}, 0));
  o.c<QLineEdit>("txtLong", 0).clear();
  o.dlg->timI_Timer();
  EXPECT_TRUE(is(surface, {40, 58}, RGB(0, 0, 90)));
  EXPECT_NEAR(o.clock.face.HourAngle, 187.74999 * kRad, 1e-5);
}

}  // namespace
}  // namespace kwemo
