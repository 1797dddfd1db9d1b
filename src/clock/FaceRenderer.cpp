#include "clock/FaceRenderer.h"

#include <cmath>

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
  // Hidden to the notification area: nothing to draw until it is shown again, and then whole.
  if (!hooks_->isVisible() && firstShown_) {
    last_.reset();
    lastTick_ = TickOutcome::Skipped;
    return;
  }

  const QDateTime T = clock_();
  if (!T.isValid()) return;
  const float S = static_cast<float>(T.time().second());
  setUpTick();

  // The product of whole degrees and the single-precision rad is a single only when it is 0,
  // so this skips only the ticks of second 15 after a drawing stored that angle.
  lastTick_ = TickOutcome::Skipped;
  if (SecondDegrees(S) * static_cast<double>(kSingleRad) == static_cast<double>(state_.SecondAngle))
    return;

  drawChanges(T);

  if (!firstShown_) {
    // Set first: the greeting lets pending events run, and a tick inside it must not repeat it.
    firstShown_ = true;
    hooks_->FirstShowing();
  }
}

void FaceRenderer::drawChanges(const QDateTime& T) {
  const QTime shown = T.time();
  Inputs now{T.date(),
             QTime(shown.hour(), shown.minute(), shown.second()),
             settings_,
             state_.Geometry,
             surface_.DrawMode(),
             surface_.changeCount()};
  if (last_ && *last_ == now && !alwaysWhole_) {
    // The face would be the one shown; only the angles it would store are stored again.
    state_.HourAngle = hourAngle_;
    state_.MinuteAngle = minuteAngle_;
    if (secondStored_) state_.SecondAngle = secondAngle_;
    lastTick_ = TickOutcome::Unchanged;
    return;
  }

  // What this face is made of, without drawing it: an operation equal to the last frame's at
  // the same place in the order puts down the same pixels over the same pixels, so only where
  // the differing ones were or will be can the face change.
  const float secondBefore = state_.SecondAngle;
  state_.SecondAngle = std::nanf("");
  ops_.clear();
  surface_.beginRecording(ops_);
  DrawFace(T);
  surface_.endRecording();
  secondStored_ = !std::isnan(state_.SecondAngle);
  if (!secondStored_) state_.SecondAngle = secondBefore;
  hourAngle_ = state_.HourAngle;
  minuteAngle_ = state_.MinuteAngle;
  secondAngle_ = state_.SecondAngle;

  const bool comparable = last_ && !alwaysWhole_ && lastOps_.size() == ops_.size() &&
                          last_->surfaceChanges == surface_.changeCount();
  QRegion changed;
  if (comparable) {
    for (std::size_t i = 0; i < ops_.size(); ++i) {
      if (ops_[i] == lastOps_[i]) continue;
      // A change of what lies under everything is a new face.
      if (ops_[i].kind == DrawOp::Kind::Clear || ops_[i].kind == DrawOp::Kind::Picture) {
        changed = QRegion(0, 0, surface_.width(), surface_.height());
        break;
      }
      changed += DrawSurface::areaOf(ops_[i]);
      changed += DrawSurface::areaOf(lastOps_[i]);
    }
    changed &= QRect(0, 0, surface_.width(), surface_.height());
  }

  if (!comparable) {
    DrawFace(T);
    surface_.Refresh();
    lastTick_ = TickOutcome::Whole;
  } else if (!changed.isEmpty()) {
    surface_.setClip(changed);
    DrawFace(T);
    surface_.clearClip();
    surface_.Refresh(changed);
    lastTick_ = TickOutcome::Partial;
  } else {
    lastTick_ = TickOutcome::Unchanged;
  }
  std::swap(lastOps_, ops_);
  now.surfaceChanges = surface_.changeCount();
  last_ = std::move(now);
}

const QImage* FaceRenderer::backdrop() {
  if (backBytes_.isEmpty()) return nullptr;
  const FaceGeometry& g = state_.Geometry;
  const QSize want(static_cast<int>(std::lround(g.BackPicWidth * surface_.devicePixelRatio())),
                   static_cast<int>(std::lround(g.BackPicHeight * surface_.devicePixelRatio())));
  if (backdrop_.isNull() || backdrop_.size() != want ||
      backdrop_.devicePixelRatio() != surface_.devicePixelRatio()) {
    backdrop_ = QImage();
    if (g.BackPicWidth <= 0 || g.BackPicHeight <= 0) return nullptr;
    if (decoded_.isNull()) {
      if (std::optional<Picture> picture = LoadPictureFromData(backBytes_))
        decoded_ = std::move(picture->image);
    }
    backdrop_ = surface_.stretched(decoded_, g.BackPicWidth, g.BackPicHeight);
    decoded_ = QImage();
  }
  return backdrop_.isNull() ? nullptr : &backdrop_;
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
  last_.reset();

  // An empty name loads no picture, which removes the one shown; a file that cannot be read
  // keeps it.
  if (s.BackBMP.isEmpty()) {
    backBytes_.clear();
    backdrop_ = QImage();
    decoded_ = QImage();
  } else if (const QByteArray data = ReadPictureFile(s.BackBMP); !data.isEmpty()) {
    if (std::optional<Picture> picture = LoadPictureFromData(data)) {
      backBytes_ = data;
      backdrop_ = QImage();
      // The first stretch reuses this decode; later sizes decode the bytes again.
      decoded_ = std::move(picture->image);
    }
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
  if (const QImage* picture = backdrop())
    surface_.PaintPicture(*picture, 0, 0, static_cast<float>(g.BackPicWidth),
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
    DrawDigitalText(surface_, FormatDate(T, s.Format), s.MojiColor, s.TextTop);

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
