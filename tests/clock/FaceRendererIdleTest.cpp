#include <gtest/gtest.h>
#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <string>

#include "clock/ClockSettings.h"
#include "clock/FaceRenderer.h"
#include "clock/FaceState.h"
#include "surface/DrawSurface.h"

namespace kwemo {
namespace {

ClockSettings lookWith(int mode, bool fan, bool dots, int width) {
  ClockSettings s;
  s.DigitalClock = 1;
  s.BG_R = 250, s.BG_G = 240, s.BG_B = 200;
  s.Hour_R = 200, s.Minute_G = 160, s.Second_B = 255, s.Circle_R = 90, s.Moji_B = 120;
  s.updateColors();
  s.HourLine = static_cast<std::int16_t>(width + 1);
  s.MinuteLine = static_cast<std::int16_t>(width);
  s.SecondLine = static_cast<std::int16_t>(width);
  s.BackLine = 1;
  s.DrawMode = static_cast<std::int16_t>(mode);
  s.Format = QStringLiteral("h:nn:ss");
  s.FontSize = 9;
  s.FontName = QStringLiteral("DejaVu Sans");
  s.TextTop = 62;  // the hands cross the text
  s.hLong = {60, 85, 100};
  s.mPset = dots;
  s.nHari = fan;
  return s;
}

// A clock on a surface, with the screen as a presenter would hold it: only what the surface
// reports as refreshed is copied there.
struct ShownFace {
  ShownFace(const ClockSettings& look, QSize size, bool whole)
      : settings(look), surface(size.width(), size.height()) {
    state.NeedPrepare = true;
    renderer.setAlwaysDrawWhole(whole);
    QObject::connect(&surface, &DrawSurface::refreshed, [this](const QRegion& changed) {
      const QImage& image = surface.image();
      if (changed.isEmpty() || screen.size() != image.size()) {
        screen = image.copy();
        return;
      }
      QPainter p(&screen);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      for (const QRect& r : changed) p.drawImage(r.topLeft(), image, r);
    });
  }
  ClockSettings settings;
  FaceState state;
  DrawSurface surface;
  QDateTime now;
  FaceRenderer renderer{settings, state, surface, nullptr, [this] { return now; }};
  QImage screen;
};

// A minute and a half of 200 ms ticks across the hour, drawn as before (the whole face on every
// tick) and by changes only: every shown frame is the same, and only the first tick of each new
// second draws. On the way the draw mode changes as the popup menu changes it, and new settings
// are applied as the dialog applies them.
TEST(FaceRendererIdleTest, DrawingOnlyChangesShowsTheSameFramesAsDrawingEverything) {
  QTemporaryDir dir;
  QImage stripes(37, 23, QImage::Format_RGB32);
  for (int y = 0; y < stripes.height(); ++y)
    for (int x = 0; x < stripes.width(); ++x)
      stripes.setPixel(x, y, qRgb(x * 7, y * 11, (x + y) * 5));
  const QString picture = dir.path() + QStringLiteral("/back.bmp");
  ASSERT_TRUE(stripes.save(picture, "BMP"));

  struct Case {
    int mode;
    bool fan, dots, withPicture;
    int width;
    QSize size;
  };
  std::vector<Case> cases;
  for (int mode = 1; mode <= 16; ++mode)
    cases.push_back(
        {mode, mode % 3 == 0, mode % 2 == 0, mode % 4 == 1, 1 + mode % 3, QSize(130, 110)});
  cases.push_back({13, false, true, true, 2, QSize(401, 257)});
  cases.push_back({13, true, false, false, 1, QSize(96, 160)});

  for (const Case& c : cases) {
    ClockSettings look = lookWith(c.mode, c.fan, c.dots, c.width);
    if (c.withPicture) look.BackBMP = picture;
    ShownFace before(look, c.size, true), after(look, c.size, false);
    const std::string name = "mode " + std::to_string(c.mode) + " " +
                             std::to_string(c.size.width()) + "x" + std::to_string(c.size.height());
    QDateTime t(QDate(2026, 3, 9), QTime(10, 59, 17, 130));
    int lastSecond = -1;
    for (int tick = 0; tick < 450; ++tick, t = t.addMSecs(200)) {
      // Both mid-second: the menu's draw mode, then settings applied by the dialog.
      const bool changed = tick == 172 || tick == 302;
      for (ShownFace* f : {&before, &after}) {
        if (tick == 172) f->settings.DrawMode = static_cast<std::int16_t>(c.mode == 7 ? 10 : 7);
        if (tick == 302) {
          f->settings.HideSecond = true;
          f->settings.Format = QStringLiteral("ss");
          f->state.NeedPrepare = true;
        }
        f->now = t;
        f->renderer.Timer1_Timer();
      }
      ASSERT_EQ(after.screen, before.screen) << name << " tick " << tick;
      const FaceRenderer::TickOutcome outcome = after.renderer.lastTick();
      const bool drew = outcome == FaceRenderer::TickOutcome::Partial ||
                        outcome == FaceRenderer::TickOutcome::Whole;
      const bool newSecond = t.time().second() != lastSecond;
      lastSecond = t.time().second();
      // The text shows the seconds: each new second draws; within one, only a change does.
      EXPECT_EQ(drew, newSecond || changed) << name << " tick " << tick;
    }
  }
}

}  // namespace
}  // namespace kwemo
