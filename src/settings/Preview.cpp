#include "settings/Preview.h"

#include <cmath>

#include "clock/FaceDrawing.h"
#include "clock/FaceState.h"
#include "oldruntime/DateFormat.h"
#include "oldruntime/Rounding.h"
#include "picture/Picture.h"
#include "surface/DrawSurface.h"

namespace kwemo {

namespace {

// The preview's fan step; the clock's is 0.4 (six lines).
constexpr float kPreviewFanStep = 0.1f;
// The centre ring's radius as a fraction of the horizontal half-axis.
constexpr double kRingFraction = 0.3;

}  // namespace

void DrawPreview(DrawSurface& surface, FaceState& face, const PreviewInputs& in,
                 const std::function<QDateTime()>& now) {
  // The face fills the box, whatever size the clock has.
  const double cx = roundHalfEven(surface.ScaleWidth() / 2.0);
  const double cy = roundHalfEven(surface.ScaleHeight() / 2.0);
  // One reading of the time for the hands.
  const QDateTime t = now();
  surface.setDrawMode(in.drawMode);
  const float s = static_cast<float>(t.time().second());
  const float m = static_cast<float>(t.time().minute());
  const float h = static_cast<float>(t.time().hour());
  // The font is set on every tick, each of its four parts on its own.
  surface.setBackColor(in.backColor);
  if (in.fontSize) surface.setFontSize(*in.fontSize);
  surface.setFontName(in.fontName);
  surface.setFontBold(in.fontBold);
  surface.setFontItalic(in.fontItalic);
  surface.Cls();
  // The picture is stretched over the whole box.
  if (in.picture)
    surface.PaintPicture(in.picture, 0, 0, surface.ScaleWidth(), surface.ScaleHeight());
  // The marks' width is set even when no marks are drawn.
  if (in.markWidth) surface.setDrawWidth(*in.markWidth);
  // Marks: dots in the surface's current text colour, hour marks, and a true circle at the
  // centre where the clock draws an ellipse of the face's proportions.
  if (in.tickMarks) {
    if (in.minuteDots) DrawMinuteDots(surface, cx, cy, kDoubleRad, std::nullopt);
    DrawHourMarks(surface, cx, cy, kDoubleRad, in.circleColor);
    surface.Circle(static_cast<float>(cx), static_cast<float>(cy),
                   static_cast<float>(cx * kRingFraction), in.circleColor);
  }
  // Digital text, with the time read again.
  if (in.digitalText)
    DrawDigitalText(surface, FormatDate(now(), in.format), in.mojiColor, in.textTop);
  // Hands; each width is set just before its hand or fan.
  const double hourDeg = HourDegrees(h, m, s);
  const double minuteDeg = MinuteDegrees(m, s);
  const double secondDeg = SecondDegrees(s);
  auto width = [&](std::size_t i) {
    if (in.handWidth[i]) surface.setDrawWidth(*in.handWidth[i]);  // refused: the old one stays
  };
  auto hand = [&](std::size_t i, float angle) {
    // An unreadable length hides the hand; its angle is stored all the same.
    if (in.handLength[i]) DrawHand(surface, cx, cy, angle, *in.handLength[i], in.handColor[i]);
  };
  if (!in.fanHands) {
    face.HourAngle = static_cast<float>(hourDeg * kDoubleRad);
    face.SecondAngle = static_cast<float>(secondDeg * kDoubleRad);
    face.MinuteAngle = static_cast<float>(minuteDeg * kDoubleRad);
    width(0);
    hand(0, face.HourAngle);
    width(1);
    hand(1, face.MinuteAngle);
    if (in.secondHand) {
      width(2);
      hand(2, face.SecondAngle);
    }
  } else {
    auto fan = [&](std::size_t i, double degrees, float& stored) {
      width(i);
      for (float k : FanOffsets(kPreviewFanStep)) {
        stored = static_cast<float>((degrees + static_cast<double>(k)) * kDoubleRad);
        hand(i, stored);
      }
    };
    fan(0, hourDeg, face.HourAngle);
    fan(1, minuteDeg, face.MinuteAngle);
    if (in.secondHand) fan(2, secondDeg, face.SecondAngle);
  }
  surface.Refresh();
}

}  // namespace kwemo
