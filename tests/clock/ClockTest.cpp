// The clock's settings in the store, and its face: where marks, hands and text land, and that
// drawing only what changed shows what drawing everything shows.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <functional>

#include "FileBytes.h"
#include "clock/ClockSettingsStorage.h"
#include "clock/FaceDrawing.h"
#include "clock/FaceRenderer.h"
#include "store/FileSettingsStore.h"
#include "store/MemorySettingsStore.h"

namespace kwemo {
namespace {

QDateTime at(int h, int m, int s) { return QDateTime(QDate(2026, 1, 5), QTime(h, m, s)); }

bool dark(const QImage& im, QPoint p) { return qGray(im.pixel(p)) < 128; }
bool light(const QImage& im, QPoint p) { return qGray(im.pixel(p)) > 200; }

// Extent of the dark pixels inside a region.
QRect inkedIn(const QImage& im, const QRect& region) {
  QRect r;
  for (int y = region.top(); y <= region.bottom(); ++y)
    for (int x = region.left(); x <= region.right(); ++x)
      if (qGray(im.pixel(x, y)) < 160) r |= QRect(x, y, 1, 1);
  return r;
}

// A clock on a surface, with the screen as a presenter holds it: only what the surface reports
// as refreshed is copied there.
struct Face {
  Face(int w, int h, ClockSettings s = FirstRunSettings(), ClockWindowHooks* hooks = nullptr)
      : settings(std::move(s)),
        surface(w, h),
        renderer(settings, state, surface, hooks, [this] { return now; }) {
    state.NeedPrepare = true;
    QObject::connect(&surface, &DrawSurface::refreshed, [this](const QRegion& changed) {
      if (changed.isEmpty() || screen.size() != surface.image().size()) {
        screen = surface.image().copy();
        return;
      }
      QPainter p(&screen);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      for (const QRect& r : changed) p.drawImage(r.topLeft(), surface.image(), r);
    });
  }
  const QImage& draw(const QDateTime& t) {
    now = t;
    renderer.Timer1_Timer();
    return surface.image();
  }
  ClockSettings settings;
  FaceState state;
  DrawSurface surface;
  QDateTime now;
  FaceRenderer renderer;
  QImage screen;
};

// Pixels at decisive points: 'D' dark, 'L' light, 'n' not dark.
TEST(FaceRendererTest, MarksHandsAndPenWidthsLandWhereTheyShould) {
  struct Case {
    const char* name;
    QSize size{120, 120};
    QDateTime t = at(3, 0, 0);
    bool memori = true, dots = false, hideSecond = true;  // memori: no marks
    std::array<float, 3> hLong{60, 80, 95};               // per cent of the half-axes
    std::array<std::int16_t, 3> pens{1, 2, 2};            // tick marks, hour, minute
    std::vector<std::pair<QPoint, char>> probes;
  };
  // clang-format off
  const Case cases[] = {
      // Ring 92 / 46 pixels from the centre, hour marks of radius 3, centre ellipse 15 x 7.5,
      // minute dots only when asked for and never at the hour positions.
      {.name = "marks", .size = {200, 100}, .t = at(10, 0, 0), .memori = false, .hLong = {},
       .probes = {{{189, 50}, 'D'}, {{192, 50}, 'L'}, {{100, 1}, 'D'}, {{100, 4}, 'L'},
                  {{85, 50}, 'D'}, {{100, 42}, 'D'}, {{100, 40}, 'L'}, {{110, 4}, 'L'}}},
      {.name = "minute dots", .size = {200, 100}, .t = at(10, 0, 0), .memori = false,
       .dots = true, .hLong = {}, .probes = {{{110, 4}, 'D'}, {{100, 4}, 'L'}}},
      {.name = "3:00", .hideSecond = false,
       .probes = {{{95, 60}, 'D'}, {{98, 60}, 'L'}, {{60, 4}, 'D'}, {{40, 60}, 'L'}}},
      {.name = "6:30", .t = at(6, 30, 0), .hideSecond = false,
       .probes = {{{52, 89}, 'D'}, {{60, 107}, 'D'}, {{60, 110}, 'L'}, {{45, 86}, 'L'}}},
      // The hour hand moves with the seconds by the short constant: 220.25, not 225 degrees.
      {.name = "10:20:30", .size = {1000, 1000}, .t = at(10, 20, 30), .hLong = {100, 0, 0},
       .probes = {{{271, 306}, 'D'}, {{288, 288}, 'L'}}},
      // A hand of any length runs out of the window; a negative one points the other way.
      {.name = "huge", .hLong = {3e38f, 0, 0}, .probes = {{{105, 60}, 'D'}, {{15, 60}, 'L'}}},
      {.name = "huge negative", .hLong = {-1e30f, 0, 0},
       .probes = {{{15, 60}, 'D'}, {{105, 60}, 'L'}}},
      // A refused pen width keeps the previous one: the tick-mark width stays for the hands.
      {.name = "pens 3/0/0", .memori = false, .pens = {3, 0, 0},
       .probes = {{{85, 59}, 'D'}, {{85, 61}, 'D'}, {{85, 57}, 'L'}}},
      {.name = "pens 3/1/1", .memori = false, .pens = {3, 1, 1},
       .probes = {{{85, 60}, 'D'}, {{85, 59}, 'n'}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.DigitalClock = 0;
    s.HideSecond = c.hideSecond;
    s.Memori = c.memori;
    s.mPset = c.dots;
    s.hLong = c.hLong;
    s.BackLine = c.pens[0];
    s.HourLine = c.pens[1];
    s.MinuteLine = c.pens[2];
    Face f(c.size.width(), c.size.height(), s);
    const QImage& im = f.draw(c.t);
    for (const auto& [p, want] : c.probes) {
      const bool ok = want == 'D' ? dark(im, p) : want == 'L' ? light(im, p) : !dark(im, p);
      EXPECT_TRUE(ok) << c.name << " at " << p.x() << "," << p.y() << " not " << want;
    }
  }
  // The angle is kept in single precision, and the fans count in it too.
  ClockSettings s = FirstRunSettings();
  s.HideSecond = true;
  Face f(100, 100, s);
  f.draw(at(10, 20, 30));
  EXPECT_LT(f.state.HourAngle / kSingleRad, 220.25);
  EXPECT_NEAR(f.state.HourAngle / kSingleRad, 220.24999, 2e-5);
  EXPECT_EQ(FanOffsets(0.4f).size(), 6u);
  EXPECT_EQ(FanOffsets(0.1f).size(), 20u);
}

// The old runtime compared the second hand's angle in single precision with the stored one: only
// at second 15 (angle 0) could they match, so that second is skipped after it was drawn, and a
// first tick at 15 (the stored angle still 0) draws and shows nothing. The fan stores no angle
// while the second hand is hidden.
TEST(FaceRendererTest, SecondFifteenIsSkippedAsTheOldRuntimeSkippedIt) {
  const struct {
    bool fan, hideSecond;
    std::vector<std::pair<int, bool>> ticks;  // second, passes the test
  } cases[] = {{false, false, {{14, true}, {15, true}, {15, false}, {16, true}}},
               {true, false, {{14, true}, {15, true}, {15, true}}},
               {false, false, {{15, false}, {15, false}, {16, true}}},
               {true, true, {{14, true}, {15, false}, {16, true}}}};
  for (const auto& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.DigitalClock = 0;
    s.nHari = c.fan;
    s.HideSecond = c.hideSecond;
    Face f(60, 60, s);
    bool anyPassed = false;
    for (const auto& [second, passes] : c.ticks) {
      f.draw(at(9, 41, second));
      anyPassed = anyPassed || passes;
      EXPECT_EQ(f.renderer.lastTick() != FaceRenderer::TickOutcome::Skipped, passes)
          << "fan " << c.fan << " second " << second;
      EXPECT_EQ(f.renderer.FirstShown(), anyPassed) << "fan " << c.fan << " second " << second;
    }
  }
}

// A window that answers the renderer's questions and ignores its requests.
struct StubHooks : ClockWindowHooks {
  bool visible = false;  // not shown yet: the first drawing shows it
  bool isVisible() const override { return visible; }
  bool ellipticFormChecked() const override { return false; }
  bool alwaysOnTopChecked() const override { return false; }
  void ChangeRgn(bool, bool, bool) override {}
  void SetTopMost(bool) override {}
  bool Form_Resize() override { return true; }
  void FirstShowing() override {}
};

TEST(FaceRendererTest, HiddenWindowIsNotDrawnOnceShown) {
  ClockSettings s = FirstRunSettings();
  s.DrawMode = 99;  // not a mode: drawn as copy
  StubHooks hooks;
  Face f(40, 40, s, &hooks);
  f.draw(at(8, 0, 1));
  EXPECT_TRUE(f.renderer.FirstShown());
  EXPECT_EQ(f.surface.DrawMode(), 13);
  f.surface.PSet(0, 0, RGB(255, 0, 0));
  EXPECT_EQ(f.draw(at(8, 0, 2)).pixel(0, 0), qRgb(255, 0, 0));  // hidden to the tray
  hooks.visible = true;
  EXPECT_NE(f.draw(at(8, 0, 2)).pixel(0, 0), qRgb(255, 0, 0));
}

TEST(FaceRendererTest, DigitalTextIsCentredAtTextTop) {
  if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) GTEST_SKIP();
  for (const std::int16_t digital : {1, 0}) {
    ClockSettings s = FirstRunSettings();
    s.Memori = true;
    s.hLong = {0, 0, 0};  // the hands shrink to the centre; everything else dark is text
    s.Format = QStringLiteral("yyyy/m");
    s.DigitalClock = digital;
    Face f(120, 120, s);
    const QImage& im = f.draw(at(10, 20, 30));
    const QRect text = inkedIn(im, QRect(0, 0, 120, 56)) | inkedIn(im, QRect(0, 64, 120, 56));
    if (!digital) {
      EXPECT_TRUE(text.isEmpty());
      continue;
    }
    // "2026/1" is 40 x 12 pixels: on 120 x 120 at 70 % it starts at x = 40, y = 84 - 6 = 78.
    EXPECT_TRUE(QRect(40, 78, 40, 12).contains(text));
    EXPECT_LE(text.left(), 41);
    EXPECT_LE(text.top(), 80);
  }
}

TEST(FaceRendererTest, BackgroundPictureStaysUntilAnEmptyNameRemovesIt) {
  QTemporaryDir dir;
  const QString red = dir.filePath("red.bmp"), blue = dir.filePath("blue.bmp");
  const QString damaged = dir.filePath("damaged.bmp");
  for (const auto& [path, colour] : {std::pair{red, Qt::red}, std::pair{blue, Qt::blue}}) {
    QImage im(8, 6, QImage::Format_RGB32);
    im.fill(colour);
    ASSERT_TRUE(im.save(path, "BMP"));
  }
  test::writeBytes(damaged, "BM this is not a bitmap");
  // clang-format off
  const std::pair<QString, QRgb> steps[] = {{red, qRgb(255, 0, 0)}, {damaged, qRgb(255, 0, 0)},
                                            {blue, qRgb(0, 0, 255)}, {"", qRgb(255, 255, 255)}};
  // clang-format on
  ClockSettings s = FirstRunSettings();
  s.DigitalClock = 0;
  Face f(100, 80, s);
  int second = 0;
  for (const auto& [backBmp, shown] : steps) {
    f.settings.BackBMP = backBmp;
    f.state.NeedPrepare = true;
    const QImage& im = f.draw(at(7, 0, ++second));
    EXPECT_EQ(im.pixel(2, 2), shown) << backBmp.toStdString();
    EXPECT_EQ(im.pixel(97, 77), shown) << "stretched to the face";
  }
}

// A minute and a half of 200 ms ticks across the hour, drawn as before (the whole face on every
// tick) and by changes only: every shown frame is the same, and only the first tick of each new
// second draws. On the way the draw mode changes as the popup menu changes it, and new settings
// are applied as the dialog applies them.
TEST(FaceRendererIdleTest, DrawingOnlyChangesShowsTheSameFramesAsDrawingEverything) {
  // A background where every pixel differs, so a misplaced partial copy shows.
  QTemporaryDir dir;
  QImage stripes(37, 23, QImage::Format_RGB32);
  for (int y = 0; y < stripes.height(); ++y)
    for (int x = 0; x < stripes.width(); ++x)
      stripes.setPixel(x, y, qRgb(x * 7, y * 11, (x + y) * 5));
  const QString picture = dir.filePath("back.bmp");
  ASSERT_TRUE(stripes.save(picture, "BMP"));
  ClockSettings base = FirstRunSettings();
  base.BG_R = 250, base.BG_G = 240, base.BG_B = 200;
  base.Hour_R = 200, base.Minute_G = 160, base.Second_B = 255, base.Circle_R = 90;
  base.updateColors();
  base.Format = QStringLiteral("h:nn:ss");
  base.TextTop = 62;  // the hands cross the text
  struct Case {
    int mode;
    bool fan, dots, withPicture;
    int width;
    QSize size;
  };
  std::vector<Case> cases;
  for (int mode = 1; mode <= 16; ++mode)
    cases.push_back({mode, mode % 3 == 0, mode % 2 == 0, mode % 4 == 1, 1 + mode % 3, {130, 110}});
  cases.push_back({13, false, true, true, 2, QSize(401, 257)});
  cases.push_back({13, true, false, false, 1, QSize(96, 160)});

  for (const Case& c : cases) {
    ClockSettings look = base;
    look.DrawMode = std::int16_t(c.mode);
    look.HourLine = std::int16_t(c.width + 1);
    look.MinuteLine = look.SecondLine = std::int16_t(c.width);
    look.mPset = c.dots;
    look.nHari = c.fan;
    if (c.withPicture) look.BackBMP = picture;
    Face before(c.size.width(), c.size.height(), look),
        after(c.size.width(), c.size.height(), look);
    before.renderer.setAlwaysDrawWhole(true);
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " width " << c.size.width());
    QDateTime t(QDate(2026, 3, 9), QTime(10, 59, 17, 130));
    int lastSecond = -1;
    for (int tick = 0; tick < 450; ++tick, t = t.addMSecs(200)) {
      // Both mid-second: the menu's draw mode, then settings applied by the dialog.
      const bool changed = tick == 172 || tick == 302;
      for (Face* f : {&before, &after}) {
        if (tick == 172) f->settings.DrawMode = std::int16_t(c.mode == 7 ? 10 : 7);
        if (tick == 302) {
          f->settings.HideSecond = true;
          f->settings.Format = QStringLiteral("ss");
          f->state.NeedPrepare = true;
        }
        f->draw(t);
      }
      ASSERT_EQ(after.screen, before.screen) << "tick " << tick;
      const auto outcome = after.renderer.lastTick();
      const bool drew = outcome == FaceRenderer::TickOutcome::Partial ||
                        outcome == FaceRenderer::TickOutcome::Whole;
      // The text shows the seconds: each new second draws; within one, only a change does.
      EXPECT_EQ(drew, t.time().second() != lastSecond || changed) << "tick " << tick;
      lastSecond = t.time().second();
    }
  }
}

void put(SettingsStore& store, const char* section, const char* key, const QString& text) {
  ASSERT_TRUE(store.write(settingsApplication(), section, key, text));
}

// Each case stores one value in a store that has seen a shut-down, loads it into a record whose
// fields hold marker values, and checks the field. Only the exact text "True" marks an earlier
// run; otherwise the first-run values are loaded (font size 8).
TEST(ClockSettingsStorage, ConversionsOnLoadAndKeepingThePreviousValue) {
  const struct {
    const char *section, *key, *text;
    std::function<bool(const ClockSettings&)> holds;
  } cases[] = {
      {"Setting", "FontSize", "9.5", [](auto& s) { return s.FontSize == 10; }},
      {"Setting", "FontSize", "40000", [](auto& s) { return s.FontSize == 7; }},
      {"Setting", "FontItalic", "maybe", [](auto& s) { return s.FontItalic; }},
      {"Setting", "hlong2", "1e2", [](auto& s) { return s.hLong[2] == 100; }},
      {"Setting", "BackLine", "0", [](auto& s) { return s.BackLine == 1; }},
      {"Color", "MOJI_R", "-2.5",
       [](auto& s) { return s.Moji_R == -2 && s.MojiColor == RGB(0, 9, 9); }},
      {"Color", "Moji_R", "300", [](auto& s) { return s.MojiColor == RGB(255, 9, 9); }},
      {"Color", "DrawMode", "abc", [](auto& s) { return s.DrawMode == 13; }},
      {"Setting", "DrawMode", "7", [](auto& s) { return s.DrawMode == 13; }},
      {"setting", "RUNED", "True", [](auto& s) { return s.FontSize == 7; }},
      {"Setting", "Runed", " True", [](auto& s) { return s.FontSize == 8; }},
      {"Setting", "Runed", "true", [](auto& s) { return s.FontSize == 8; }},
  };
  for (const auto& c : cases) {
    MemorySettingsStore store;
    put(store, "Setting", "Runed", "True");
    put(store, c.section, c.key, c.text);
    ClockSettings s;
    s.FontSize = 7;
    s.FontItalic = true;
    s.BackLine = 4;
    s.Moji_G = s.Moji_B = 9;
    s.DrawMode = 5;  // load starts from 13
    LoadClockSettings(store, s);
    EXPECT_TRUE(c.holds(s)) << c.section << "/" << c.key << " = '" << c.text << "'";
  }
}

TEST(ClockSettingsStorage, SaveThenLoadThroughTheFileGivesTheSameRecord) {
  QTemporaryDir dir;
  ClockSettings saved = FirstRunSettings();
  saved.Format = "yyyy/mm/dd (aaa) hh:nn:ss \"=;#[\\\r\n";
  saved.FontName = QString::fromUtf8(" IPAPGothic ＭＳ ");
  saved.TextTop = 62.5f;
  saved.hLong = {33.33333f, 0.1f, 1.234568e7f};
  saved.Circle_B = 130;
  saved.SecondLine = -1;
  saved.DrawMode = 99;
  saved.BackBMP = "/home/user/My Pictures/back ground.bmp";
  saved.updateColors();
  {
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(SaveClockSettings(store, saved, {1800, 2400.5f, 1935, 2010, true, true}));
  }
  FileSettingsStore store(dir.path());
  ClockSettings loaded;
  const LoadOutcome outcome = LoadClockSettings(store, loaded);
  EXPECT_FALSE(outcome.firstRun);
  EXPECT_TRUE(outcome.alwaysOnTop);
  EXPECT_EQ(loaded, saved);
  EXPECT_TRUE(LoadRgnMode(store));
  // The placement takes a single left and leading numbers.
  ASSERT_TRUE(LoadPlacement(store).has_value());
  EXPECT_EQ(LoadPlacement(store)->Top, 2400.5);
  put(store, "Position", "Top", " - 30 twips");
  put(store, "POSITION", "Width", "x");
  EXPECT_EQ(LoadPlacement(store)->Top, -30);
  EXPECT_EQ(LoadPlacement(store)->Width, 0);
  put(store, "Position", "Left", "abc");
  EXPECT_FALSE(LoadPlacement(store).has_value());
}

// Stored files keep their exact shape: key order, spelling and text forms, byte for byte (any
// change breaks the files users already have).
TEST(ClockSettingsStorage, SavedFileKeepsItsShape) {
  QTemporaryDir dir;
  FileSettingsStore store(dir.path());
  ASSERT_TRUE(SaveClockSettings(store, FirstRunSettings(), WindowState{}));
  EXPECT_EQ(test::readAll(store.filePath(settingsApplication())).toStdString(),
            test::readAll(QFINDTESTDATA("clock/first-run-settings.ini")).toStdString());
}

}  // namespace
}  // namespace kwemo
