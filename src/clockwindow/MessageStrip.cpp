#include "clockwindow/MessageStrip.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cmath>
#include <cstdint>

#include "desktop/Tick.h"
#include "oldruntime/Rounding.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

namespace {

constexpr int kStepMs = 10;
constexpr int kRollStep = 3;
constexpr int kScrollHoldMs = 300;
constexpr int kRollAwayDelayMs = 500;

}  // namespace

MessageStrip::MessageStrip(QWidget& clientArea, Window window)
    : QObject(&clientArea),
      client_(clientArea),
      window_(std::move(window)),
      picMsg_(new SurfaceView(surface_, &clientArea)) {
  surface_.setFontName(QStringLiteral("Arial"));
  surface_.setFontSize(9);
  surface_.setFontBold(true);
  surface_.setBackColor(kBack);
  surface_.setForeColor(kText);
  picMsg_->hide();
  align();
  // Aligned to the bottom: the strip follows the client area's size by itself.
  client_.installEventFilter(this);
  timMsg_.setSingleShot(false);
  connect(&timMsg_, &QTimer::timeout, this, &MessageStrip::timMsg_Timer);
}

void MessageStrip::setHeight(int height) {
  height_ = height;
  align();
}

void MessageStrip::align() {
  picMsg_->setGeometry(0, client_.height() - height_, client_.width(), height_);
  // The surface follows at once, also while the strip is hidden.
  surface_.resize(client_.width(), height_);
  picMsg_->raise();
}

bool MessageStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &client_ && event->type() == QEvent::Resize) align();
  return QObject::eventFilter(watched, event);
}

void MessageStrip::hideNow() { picMsg_->hide(); }

void MessageStrip::drawMarker(float x, float SW, float SH) {
  surface_.Circle(x, SH / 1.25f, SH / 3, kMarker);
  surface_.Line(x, 0, x, SH, kMarker);
  surface_.Line(0, SH / 1.25f, SW, SH / 1.25f, kMarker);
}

void MessageStrip::ShowMsg(const QString& Msg, int wait) {
  surface_.Cls();
  msgActive_ = true;
  timMsg_.stop();
  QCoreApplication::processEvents();
  if (!msgActive_) return;  // a key dropped the message while events ran

  surface_.Cls();
  surface_.setBackColor(kBack);
  picMsg_->show();

  const int tw = toInt32Clamped(surface_.TextWidth(Msg));
  const int th = toInt32Clamped(surface_.TextHeight(Msg));
  const int sw = toInt32Clamped(surface_.ScaleWidth());
  const int sh = toInt32Clamped(surface_.ScaleHeight());

  const bool elliptic = window_.ellipticChecked && window_.ellipticChecked();
  for (std::int16_t i = 0; i <= sh; i = static_cast<std::int16_t>(i + kRollStep)) {
    const std::int64_t t0 = TickCount();
    setHeight(i);
    if (elliptic) window_.ChangeRgn(true, true, false);
    WaitUntilTick(t0 + kStepMs);
    picMsg_->repaint();
  }
  setHeight(sh);

  const float SW = surface_.ScaleWidth();
  const float SH = surface_.ScaleHeight();
  const float textY = (sh - th) / 2.0f;
  drawMarker(SH / 3, SW, SH);
  surface_.Refresh();

  if (sw >= SH / 3 + tw) {
    if (msgActive_) {
      surface_.setForeColor(kText);
      surface_.setCurrentX(SH / 3);
      surface_.setCurrentY(textY);
      surface_.Print(Msg);
      surface_.Refresh();
      msgActive_ = false;
    }
  } else {
    std::int16_t x = static_cast<std::int16_t>(toInt32Clamped(SH / 3));
    while (x > (sw - tw) - SH / 3 && msgActive_) {
      std::int64_t t0 = TickCount();
      surface_.Cls();
      drawMarker(x, SW, SH);
      surface_.setForeColor(kText);
      surface_.setCurrentX(x);
      surface_.setCurrentY(textY);
      surface_.Print(Msg);
      surface_.Refresh();
      if (x == SH / 3) {  // the first frame, when SH / 3 is whole: hold the start of the text
        t0 = TickCount() + kScrollHoldMs;
        WaitUntilTick(t0);
      }
      x = static_cast<std::int16_t>(x - 1);
      WaitUntilTick(t0 + kStepMs);
    }
  }

  if (wait != 0) {
    QCoreApplication::processEvents();
    WaitUntilTick(TickCount() + wait);
  }

  msgActive_ = false;
  timMsg_.stop();
  timMsg_.setInterval(kRollAwayDelayMs);
  timMsg_.start();
}

void MessageStrip::timMsg_Timer() {
  const int h = height_;
  const bool elliptic = window_.ellipticChecked && window_.ellipticChecked();
  for (std::int16_t i = static_cast<std::int16_t>(h); i >= 0;
       i = static_cast<std::int16_t>(i - kRollStep)) {
    const std::int64_t t0 = TickCount();
    setHeight(i);
    if (elliptic) window_.ChangeRgn(true, true, false);
    WaitUntilTick(t0 + kStepMs);
    if (window_.repaintFace) window_.repaintFace();
  }
  picMsg_->hide();
  setHeight(h);
  timMsg_.stop();
  if (elliptic) window_.ChangeRgn(true, false, false);
}

}  // namespace kwemo
