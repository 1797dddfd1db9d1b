#include "clock/FaceRenderer.h"

#include "clock/FaceDrawing.h"
#include "oldruntime/DateFormat.h"
#include "picture/Picture.h"
#include "surface/DrawSurface.h"

namespace kwemo {

FaceRenderer::FaceRenderer(const ClockSettings& settings, FaceState& state, DrawSurface& surface,
                           ClockWindowHooks* hooks, ClockSource clock)
    : settings_(settings),
      state_(state),
      surface_(surface),
      hooks_(hooks ? hooks : &noWindow_),
      clock_(clock ? std::move(clock) : ClockSource([] { return QDateTime::currentDateTime(); })) {}

FaceRenderer::~FaceRenderer() = default;

int FaceRenderer::effectiveDrawMode() const {
  const int mode = settings_.DrawMode;
  return mode >= 1 && mode <= 16 ? mode : 13;
}

void FaceRenderer::Timer1_Timer() {
  // Hidden to the notification area: nothing to draw until it is shown again.
  if (!hooks_->isVisible() && firstShown_) return;

  const QDateTime T = clock_();
  if (!T.isValid()) return;
  const float S = static_cast<float>(T.time().second());
  setUpTick();

  // The product of whole degrees and the single-precision rad is a single only when it is 0,
  // so this skips only the ticks of second 15 after a drawing stored that angle.
  if (SecondDegrees(S) * static_cast<double>(kSingleRad) == static_cast<double>(state_.SecondAngle))
    return;

  DrawFace(T);
  surface_.Refresh();

  if (!firstShown_) {
    // Set first: the greeting lets pending events run, and a tick inside it must not repeat it.
    firstShown_ = true;
    hooks_->FirstShowing();
  }
}

void FaceRenderer::setUpTick() {
  surface_.setDrawMode(effectiveDrawMode());
  if (state_.NeedPrepare) {
    state_.NeedPrepare = false;
    Prepare();
  }
}

void FaceRenderer::DrawSnapshot(const QDateTime& T) {
  setUpTick();
  DrawFace(T);
}

void FaceRenderer::Prepare() {
  const ClockSettings& s = settings_;
  surface_.setBackColor(s.backgroundColor());

  // An empty name loads no picture, which removes the one shown; a file that cannot be read
  // keeps it.
  if (s.BackBMP.isEmpty()) {
    backPicture_.reset();
  } else if (std::optional<Picture> picture = LoadPicture(s.BackBMP)) {
    backPicture_ = std::make_unique<Picture>(std::move(*picture));
  }

  if (hooks_->ellipticFormChecked()) {
    hooks_->ChangeRgn(false, false, false);
    hooks_->ChangeRgn(true, false, false);
  }
  if (hooks_->alwaysOnTopChecked()) hooks_->SetTopMost(true);

  surface_.setFontSize(static_cast<float>(s.FontSize));
  surface_.setFontName(s.FontName);
  surface_.setFontBold(s.FontBold);
  surface_.setFontItalic(s.FontItalic);

  if (!hooks_->Form_Resize())
    state_.Geometry = ComputeFaceGeometry(surface_.ScaleWidth(), surface_.ScaleHeight());
}

void FaceRenderer::DrawFace(const QDateTime& T) {
  const ClockSettings& s = settings_;
  const FaceGeometry& g = state_.Geometry;
  const double rad = kSingleRad;
  const double cx = g.CenterX, cy = g.CenterY;
  const float S = static_cast<float>(T.time().second());
  const float M = static_cast<float>(T.time().minute());
  const float H = static_cast<float>(T.time().hour());

  surface_.Cls();
  surface_.PaintPicture(backPicture_.get(), 0, 0, static_cast<float>(g.BackPicWidth),
                        static_cast<float>(g.BackPicHeight));
  surface_.setDrawWidth(s.BackLine);

  if (!s.Memori) {
    if (s.mPset) DrawMinuteDots(surface_, cx, cy, rad, s.CircleColor);
    DrawHourMarks(surface_, cx, cy, rad, s.CircleColor);
    // A face without width has no aspect; the old runtime failed on the division and went on.
    if (g.CenterX != 0)
      surface_.Circle(static_cast<float>(cx), static_cast<float>(cy),
                      static_cast<float>(g.FaceRadius * 0.3), s.CircleColor,
                      static_cast<float>(cy / cx));
  }

  if (s.DigitalClock == 1)
    DrawDigitalText(surface_, FormatDate(clock_(), s.Format), s.MojiColor, s.TextTop);

  const double hourDeg = HourDegrees(H, M, S);
  const double minuteDeg = MinuteDegrees(M, S);
  const double secondDeg = SecondDegrees(S);
  if (!s.nHari) {
    state_.HourAngle = static_cast<float>(hourDeg * rad);
    state_.SecondAngle = static_cast<float>(secondDeg * rad);
    state_.MinuteAngle = static_cast<float>(minuteDeg * rad);
    surface_.setDrawWidth(s.HourLine);
    DrawHand(surface_, cx, cy, state_.HourAngle, s.hLong[0], s.HourColor);
    surface_.setDrawWidth(s.MinuteLine);
    DrawHand(surface_, cx, cy, state_.MinuteAngle, s.hLong[1], s.MinuteColor);
    if (!s.HideSecond) {
      surface_.setDrawWidth(s.SecondLine);
      DrawHand(surface_, cx, cy, state_.SecondAngle, s.hLong[2], s.SecondColor);
    }
    return;
  }

  // Fan mode: six lines per hand; each stores its angle before it is drawn, so the stored
  // angles end as those of the +1 degree line.
  static const std::vector<float> kFan = FanOffsets(0.4f);
  const auto fan = [&](double degrees, float& angle, int width, double length, Rgb color) {
    surface_.setDrawWidth(width);
    for (float k : kFan) {
      angle = static_cast<float>((degrees + k) * rad);
      DrawHand(surface_, cx, cy, angle, length, color);
    }
  };
  fan(hourDeg, state_.HourAngle, s.HourLine, s.hLong[0], s.HourColor);
  fan(minuteDeg, state_.MinuteAngle, s.MinuteLine, s.hLong[1], s.MinuteColor);
  if (!s.HideSecond) fan(secondDeg, state_.SecondAngle, s.SecondLine, s.hLong[2], s.SecondColor);
}

}  // namespace kwemo
