#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <string>
#include <vector>

#include "clock/ClockSettings.h"
#include "clock/ClockSettingsStorage.h"
#include "clock/FaceDrawing.h"
#include "clock/FaceRenderer.h"
#include "clock/FaceState.h"
#include "surface/DrawSurface.h"

namespace kwemo {
namespace {

QDateTime at(int h, int m, int s) { return QDateTime(QDate(2026, 1, 5), QTime(h, m, s)); }

bool dark(const QImage& im, int x, int y) { return qGray(im.pixel(x, y)) < 128; }
bool light(const QImage& im, int x, int y) { return qGray(im.pixel(x, y)) > 200; }

// One surface, shared state and renderer with a clock the test sets.
struct Face {
  explicit Face(int w, int h, ClockSettings s = FirstRunSettings()) : settings(std::move(s)) {
    surface.resize(w, h);
    state.NeedPrepare = true;
  }
  const QImage& draw(const QDateTime& t) {
    now = t;
    renderer.Timer1_Timer();
    return surface.image();
  }
  ClockSettings settings;
  FaceState state;
  DrawSurface surface;
  QDateTime now = at(0, 0, 0);
  FaceRenderer renderer{settings, state, surface, nullptr, [this] { return now; }};
};

TEST(FaceGeometryTest, HalvesAndRoundsTheSurfaceSize) {
  struct Case {
    float sw, sh;
    FaceGeometry want;  // CenterX, CenterY, FaceRadius, BackPicWidth, BackPicHeight
  };
  const Case cases[] = {
      {200, 100, {100, 50, 50, 200, 100}}, {120, 120, {60, 60, 60, 120, 120}},
      {121, 123, {60, 62, 60, 121, 123}},  // 60.5 -> 60, 61.5 -> 62
      {80, 130, {40, 65, 40, 80, 130}},    {0, 0, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComputeFaceGeometry(c.sw, c.sh), c.want) << c.sw << "x" << c.sh;
  }
}

TEST(FaceDrawingTest, FanCountsInSinglePrecision) {
  const std::vector<float> clock = FanOffsets(0.4f);
  ASSERT_EQ(clock.size(), 6u);
  EXPECT_EQ(clock.front(), -1.0f);
  EXPECT_NEAR(clock.back(), 1.0f, 1e-6);
  const std::vector<float> preview = FanOffsets(0.1f);
  ASSERT_EQ(preview.size(), 20u);
  EXPECT_NEAR(preview.back(), 0.9f, 1e-5);
}

// Marks on a 200 x 100 face: ring at 92 / 46 pixels from the centre, hour marks of radius 3, the
// centre ellipse 15 x 7.5, minute dots only when asked for and never at the hour positions.
TEST(FaceRendererTest, MarksFollowTheEllipseOfTheFace) {
  struct Probe {
    int x, y;
    bool isDark;
    const char* what;
  };
  for (bool dots : {false, true}) {
    ClockSettings s = FirstRunSettings();
    s.DigitalClock = 0;
    s.hLong = {0, 0, 0};  // hands shrink to the centre point
    s.mPset = dots;
    Face f(200, 100, s);
    const QImage& im = f.draw(at(10, 0, 0));
    EXPECT_EQ(f.state.Geometry, (FaceGeometry{100, 50, 50, 200, 100}));
    const std::vector<Probe> probes = {
        {189, 50, true, "3 o'clock mark, left side"},   {195, 50, true, "3 o'clock mark, right"},
        {192, 50, false, "3 o'clock mark is hollow"},   {196, 50, false, "outside the mark"},
        {100, 1, true, "12 o'clock mark, top"},         {100, 7, true, "12 o'clock mark, bottom"},
        {100, 4, false, "no dot inside the hour mark"}, {5, 50, true, "9 o'clock mark, left"},
        {100, 99, true, "6 o'clock mark, bottom"},      {85, 50, true, "centre ellipse, left"},
        {115, 50, true, "centre ellipse, right"},       {100, 42, true, "centre ellipse, top"},
        {100, 58, true, "centre ellipse, bottom"},      {100, 40, false, "above the ellipse"},
        {83, 50, false, "left of the ellipse"},         {110, 4, dots, "minute dot at -84"},
        {191, 55, dots, "minute dot at 6 degrees"},
    };
    for (const Probe& p : probes) {
      EXPECT_EQ(p.isDark ? dark(im, p.x, p.y) : light(im, p.x, p.y), true)
          << p.what << " (" << p.x << "," << p.y << ") dots " << dots;
    }
  }
}

TEST(FaceRendererTest, HandsPointWhereTheTimeSays) {
  struct Probe {
    int x, y;
    bool isDark;
  };
  struct Case {
    QDateTime t;
    std::vector<Probe> probes;
  };
  // 120 x 120, hands 60 / 80 / 95 per cent of the 60-pixel half-axes.
  const Case cases[] = {
      {at(12, 0, 0),
       {{60, 4, true},
        {60, 13, true},
        {60, 1, false},
        {80, 60, false},
        {40, 60, false},
        {60, 80, false}}},
      {at(0, 0, 0), {{60, 4, true}, {60, 13, true}, {80, 60, false}, {60, 80, false}}},
      {at(3, 0, 0),
       {{95, 60, true}, {98, 60, false}, {60, 4, true}, {60, 80, false}, {40, 60, false}}},
      // The hour hand half-way between 6 and 7, the minute hand down, the second hand up.
      {at(6, 30, 0),
       {{52, 89, true},
        {60, 107, true},
        {60, 110, false},
        {45, 86, false},
        {60, 4, true},
        {75, 60, false}}},
  };
  for (const Case& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.Memori = true;
    s.DigitalClock = 0;
    Face f(120, 120, s);
    const QImage& im = f.draw(c.t);
    for (const Probe& p : c.probes)
      EXPECT_EQ(p.isDark ? dark(im, p.x, p.y) : light(im, p.x, p.y), true)
          << c.t.toString().toStdString() << " at " << p.x << "," << p.y;
  }
}

TEST(FaceRendererTest, HourHandMovesWithTheSecondsByTheShortConstant) {
  ClockSettings s = FirstRunSettings();
  s.Memori = true;
  s.DigitalClock = 0;
  s.HideSecond = true;
  s.hLong = {100, 0, 0};
  Face f(1000, 1000, s);
  const QImage& im = f.draw(at(10, 20, 30));
  // 300 + 10 + 30 * 0.008333 - 90 = 220.24999 degrees, stored as a single.
  const double degrees = f.state.HourAngle / (3.14159265358979 / 180);
  EXPECT_NEAR(degrees, 220.24999, 2e-5);
  EXPECT_LT(degrees, 220.25);
  // The drawn hand runs along that ray: at 300 pixels out, and not along 225 degrees.
  const double b = 220.25 * 3.14159265358979 / 180;
  EXPECT_TRUE(dark(im, static_cast<int>(std::lround(500 + 300 * std::cos(b))),
                   static_cast<int>(std::lround(500 + 300 * std::sin(b)))));
  const double off = 225.0 * 3.14159265358979 / 180;
  EXPECT_TRUE(light(im, static_cast<int>(std::lround(500 + 300 * std::cos(off))),
                    static_cast<int>(std::lround(500 + 300 * std::sin(off)))));
}

TEST(FaceRendererTest, RefusedPenWidthKeepsThePreviousOne) {
  // A 3:00 hour hand lies on row 60 of a 120 x 120 face; its width shows in rows 59 and 61.
  struct Case {
    int backLine, hourLine, minuteLine;
    bool thick;
  };
  const Case cases[] = {
      {3, 0, 0, true},  // the tick-mark width stays in force for the hands
      {1, 0, 0, false},
      {1, 3, 1, true},
      {3, 1, 1, false},
  };
  for (const Case& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.DigitalClock = 0;
    s.BackLine = static_cast<std::int16_t>(c.backLine);
    s.HourLine = static_cast<std::int16_t>(c.hourLine);
    s.MinuteLine = static_cast<std::int16_t>(c.minuteLine);
    s.HideSecond = true;
    Face f(120, 120, s);
    const QImage& im = f.draw(at(3, 0, 0));
    EXPECT_TRUE(dark(im, 85, 60));
    EXPECT_EQ(dark(im, 85, 59) && dark(im, 85, 61), c.thick) << c.backLine << "/" << c.hourLine;
    EXPECT_TRUE(light(im, 85, 57));
  }
}

// Whether a tick passes the unchanged-second test; a tick past it that would draw the face
// already shown draws nothing.
TEST(FaceRendererTest, SecondFifteenIsDrawnOnceInNormalModeOnly) {
  struct Tick {
    int second;
    bool draws;
  };
  struct Case {
    const char* name;
    bool fan, hideSecond;
    std::vector<Tick> ticks;
  };
  const Case cases[] = {
      {"normal", false, false, {{14, true}, {15, true}, {15, false}, {15, false}, {16, true}}},
      {"fan", true, false, {{14, true}, {15, true}, {15, true}, {15, true}}},
      // First tick at second 15: the stored angle is still 0, nothing is drawn or shown yet.
      {"start at 15", false, false, {{15, false}, {15, false}, {16, true}, {16, true}}},
      // The fan never stores a second-hand angle when the hand is hidden.
      {"fan, second hidden", true, true, {{14, true}, {15, false}, {16, true}}},
  };
  for (const Case& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.DigitalClock = 0;
    s.nHari = c.fan;
    s.HideSecond = c.hideSecond;
    Face f(60, 60, s);
    int passed = 0;
    for (std::size_t n = 0; n < c.ticks.size(); ++n) {
      f.draw(at(9, 41, c.ticks[n].second));
      const bool draws = f.renderer.lastTick() != FaceRenderer::TickOutcome::Skipped;
      passed += draws;
      EXPECT_EQ(draws, c.ticks[n].draws) << c.name << " tick " << n;
      EXPECT_EQ(f.renderer.FirstShown(), passed > 0) << c.name << " tick " << n;
    }
  }
}

// Records what the renderer asks of the window.
struct RecordingHooks : ClockWindowHooks {
  bool visible = true, elliptic = false, onTop = false;
  std::vector<std::string> calls;
  bool isVisible() const override { return visible; }
  bool ellipticFormChecked() const override { return elliptic; }
  bool alwaysOnTopChecked() const override { return onTop; }
  void ChangeRgn(bool mode, bool msgmode, bool delreg) override {
    calls.push_back(std::string("ChangeRgn ") + (mode ? "T" : "F") + (msgmode ? "T" : "F") +
                    (delreg ? "T" : "F"));
  }
  void SetTopMost(bool onTop) override { calls.push_back(onTop ? "SetTopMost T" : "SetTopMost F"); }
  bool Form_Resize() override {
    calls.emplace_back("Form_Resize");
    return true;
  }
  void FirstShowing() override { calls.emplace_back("FirstShowing"); }
};

TEST(FaceRendererTest, PreparesThroughTheWindowAndShowsItOnce) {
  struct Case {
    bool elliptic, onTop;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {false, false, {"Form_Resize", "FirstShowing"}},
      {true,
       true,
       {"ChangeRgn FFF", "ChangeRgn TFF", "SetTopMost T", "Form_Resize", "FirstShowing"}},
  };
  for (const Case& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.DrawMode = 99;  // not a mode: drawn as copy
    FaceState state;
    state.NeedPrepare = true;
    state.Geometry = {30, 30, 30, 60, 60};  // as the window's resize step left it
    DrawSurface surface(60, 60);
    RecordingHooks hooks;
    hooks.elliptic = c.elliptic;
    hooks.onTop = c.onTop;
    QDateTime now = at(8, 0, 1);
    FaceRenderer r(s, state, surface, &hooks, [&] { return now; });
    r.Timer1_Timer();
    now = at(8, 0, 2);
    r.Timer1_Timer();
    EXPECT_EQ(hooks.calls, c.want);
    EXPECT_FALSE(state.NeedPrepare);
    EXPECT_TRUE(r.FirstShown());
    EXPECT_EQ(surface.DrawMode(), 13);
    EXPECT_EQ(surface.FontSize(), 8.0f);
    EXPECT_EQ(surface.FontName(), s.FontName);
  }
}

TEST(FaceRendererTest, HiddenWindowIsNotDrawnOnceShown) {
  ClockSettings s = FirstRunSettings();
  FaceState state;
  state.NeedPrepare = true;
  DrawSurface surface(40, 40);
  RecordingHooks hooks;
  hooks.visible = false;  // not shown yet: the first drawing shows it
  QDateTime now = at(8, 0, 1);
  FaceRenderer r(s, state, surface, &hooks, [&] { return now; });
  r.Timer1_Timer();
  EXPECT_TRUE(r.FirstShown());
  surface.PSet(0, 0, RGB(255, 0, 0));
  now = at(8, 0, 2);
  r.Timer1_Timer();  // hidden to the tray
  EXPECT_EQ(surface.image().pixel(0, 0), qRgb(255, 0, 0));
  hooks.visible = true;
  r.Timer1_Timer();
  EXPECT_NE(surface.image().pixel(0, 0), qRgb(255, 0, 0));
}

}  // namespace
}  // namespace kwemo

namespace kwemo {
namespace {

bool haveIpaPGothic() { return QFontDatabase::families().contains(QStringLiteral("IPAPGothic")); }

// Extent of the dark pixels inside a region.
QRect inkedIn(const QImage& im, const QRect& region) {
  QRect r;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      if (qGray(im.pixel(x, y)) < 160) r |= QRect(x, y, 1, 1);
  return r;
}

TEST(FaceRendererTest, DigitalTextIsCentredAtTextTop) {
  if (!haveIpaPGothic()) GTEST_SKIP() << "IPAPGothic is not installed";
  struct Case {
    std::int16_t digitalClock;
    float textTop;
    QRect box;  // where the text may ink; empty: no text at all
  };
  // "2026/1" is 40 x 12 pixels: on 120 x 120 at 70 % it starts at x = 40, y = 84 - 6 = 78.
  const Case cases[] = {
      {1, 70, QRect(40, 78, 40, 12)},
      {1, 0, QRect(40, 0, 40, 6)},  // centred on the top edge, the upper half cut off
      {0, 70, QRect()},
      {2, 70, QRect()},
  };
  for (const Case& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.Memori = true;
    s.hLong = {0, 0, 0};
    s.Format = QStringLiteral("yyyy/m");
    s.DigitalClock = c.digitalClock;
    s.TextTop = c.textTop;
    Face f(120, 120, s);
    const QImage& im = f.draw(at(10, 20, 30));
    ASSERT_EQ(f.surface.TextWidth(QStringLiteral("2026/1")), 40);
    ASSERT_EQ(f.surface.TextHeight(QStringLiteral("2026/1")), 12);
    // The hands shrink to the centre pixel; everything else dark is text.
    const QRect ink = inkedIn(im, QRect(0, 0, 120, 120));
    if (!c.box.isEmpty()) {
      const QRect text = inkedIn(im, QRect(0, 0, 120, 56)) | inkedIn(im, QRect(0, 64, 120, 56));
      EXPECT_TRUE(c.box.contains(text)) << c.digitalClock << " " << c.textTop;
      EXPECT_LE(text.left(), c.box.left() + 1);
      EXPECT_GE(text.right(), c.box.right() - 5);
      EXPECT_LE(text.top(), c.box.top() + 2);
    } else {
      EXPECT_TRUE(QRect(58, 58, 5, 5).contains(ink)) << "DigitalClock " << c.digitalClock;
    }
  }
}

// Writes a w x h BMP of one colour with a marker pixel at the bottom right.
QString writeBmp(const QString& folder, const char* name, QRgb colour) {
  QImage im(8, 6, QImage::Format_RGB32);
  im.fill(colour);
  const QString path = folder + QLatin1Char('/') + QLatin1String(name);
  EXPECT_TRUE(im.save(path, "BMP"));
  return path;
}

TEST(FaceRendererTest, BackgroundPictureStaysUntilAnEmptyNameRemovesIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString red = writeBmp(dir.path(), "red.bmp", qRgb(220, 20, 20));
  const QString blue = writeBmp(dir.path(), "blue.bmp", qRgb(20, 20, 220));
  QFile damaged(dir.path() + QStringLiteral("/damaged.bmp"));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
  damaged.write("BM this is not a bitmap");
  damaged.close();

  struct Step {
    QString backBmp;
    QRgb shown;  // at a corner of the face, far from marks and hands
  };
  const QRgb white = qRgb(255, 255, 255);
  const Step steps[] = {
      {QString(), white},
      {red, qRgb(220, 20, 20)},
      {dir.path() + QStringLiteral("/missing.bmp"), qRgb(220, 20, 20)},
      {damaged.fileName(), qRgb(220, 20, 20)},
      {blue, qRgb(20, 20, 220)},
      {QString(), white},
  };
  ClockSettings s = FirstRunSettings();
  s.DigitalClock = 0;
  Face f(100, 80, s);
  int second = 0;
  for (const Step& step : steps) {
    f.settings.BackBMP = step.backBmp;
    f.state.NeedPrepare = true;
    const QImage& im = f.draw(at(7, 0, ++second));
    EXPECT_EQ(im.pixel(2, 2), step.shown) << step.backBmp.toStdString();
    EXPECT_EQ(im.pixel(97, 77), step.shown) << "stretched to the face";
  }
}

}  // namespace
}  // namespace kwemo
