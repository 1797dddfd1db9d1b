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
  Face(int w, int h, ClockSettings s = FirstRunSettings())
      : settings(std::move(s)),
        surface(w, h),
        renderer(settings, state, surface, &hooks, [this] { return now; }) {
    state.NeedPrepare = true;
    QObject::connect(&surface, &DrawSurface::refreshed, [this](const QRegion& changed) {
      if (changed.isEmpty() || screen.size() != surface.image().size())
        screen = surface.image().copy();
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
  struct : ClockWindowHooks {
    bool visible = true;
    bool isVisible() const override { return visible; }
  } hooks;
  ClockSettings settings;
  FaceState state;
  DrawSurface surface;
  QDateTime now;
  FaceRenderer renderer;
  QImage screen;
};

// Pixels at decisive points: 'D' dark, 'L' light, 'n' neither.
TEST(FaceRendererTest, MarksHandsAndPenWidthsLandWhereTheyShould) {
  struct Case {
    const char* name;
    QSize size{120, 120};
    QDateTime t = at(3, 0, 0);
    bool memori = true, dots = false, hideSecond = true;  // memori: no marks
    std::array<float, 3> hLong{60, 80, 95};               // per cent of the half-axes
    std::tuple<std::int16_t, std::int16_t, std::int16_t> pens{1, 2, 2};  // marks, hour, minute
    std::vector<QPoint> probes;
    const char* want;
  };
  // clang-format off
  const Case cases[] = {
      // Ring 92 / 46 pixels from the centre, hour marks of radius 3, centre ellipse 15 x 7.5,
      // minute dots only when asked for and never at the hour positions.
      {.name = "marks", .size = {200, 100}, .t = at(10, 0, 0), .memori = false, .hLong = {},
       .probes = {{189, 50}, {192, 50}, {100, 1}, {100, 4}, {85, 50}, {100, 42}, {100, 40},
                  {110, 4}}, .want = "DLDLDDLL"},
      {.name = "minute dots", .size = {200, 100}, .t = at(10, 0, 0), .memori = false,
       .dots = true, .hLong = {}, .probes = {{110, 4}, {100, 4}}, .want = "DL"},
      {.name = "3:00", .hideSecond = false, .probes = {{95, 60}, {98, 60}, {60, 4}, {40, 60}},
       .want = "DLDL"},
      {.name = "6:30", .t = at(6, 30, 0), .hideSecond = false,
       .probes = {{52, 89}, {60, 107}, {60, 110}, {45, 86}}, .want = "DDLL"},
      // The hour hand moves with the seconds by the short constant: 220.25, not 225 degrees.
      {.name = "10:20:30", .size = {1000, 1000}, .t = at(10, 20, 30), .hLong = {100, 0, 0},
       .probes = {{271, 306}, {288, 288}}, .want = "DL"},
      // A hand of any length runs out of the window; a negative one points the other way.
      {.name = "huge", .hLong = {3e38f, 0, 0}, .probes = {{105, 60}, {15, 60}}, .want = "DL"},
      {.name = "negative", .hLong = {-1e30f, 0, 0}, .probes = {{15, 60}, {105, 60}}, .want = "DL"},
      // A refused pen width keeps the previous one: the tick-mark width stays for the hands.
      {.name = "pens 3/0/0", .memori = false, .pens = {3, 0, 0},
       .probes = {{85, 59}, {85, 61}, {85, 57}}, .want = "DDL"},
      {.name = "pens 3/1/1", .memori = false, .pens = {3, 1, 1},
       .probes = {{85, 60}, {85, 59}}, .want = "DL"},
  };
  // clang-format on
  for (const Case& c : cases) {
    ClockSettings s = FirstRunSettings();
    s.DigitalClock = 0;
    s.HideSecond = c.hideSecond;
    s.Memori = c.memori;
    s.mPset = c.dots;
    s.hLong = c.hLong;
    std::tie(s.BackLine, s.HourLine, s.MinuteLine) = c.pens;
    Face f(c.size.width(), c.size.height(), s);
    const QImage& im = f.draw(c.t);
    std::string got;
    for (const QPoint& p : c.probes) got += dark(im, p) ? 'D' : light(im, p) ? 'L' : 'n';
    EXPECT_EQ(got, c.want) << c.name;
  }
  EXPECT_EQ(FanOffsets(0.4f).size(), 6u);  // counted in single precision
}

// The old runtime compared the second hand's angle in single precision with the stored one: only
// at second 15 (angle 0) could they match, so that second is skipped after it was drawn, and a
// first tick at 15 (the stored angle still 0) draws and shows nothing. The fan stores no angle
// while the second hand is hidden.
TEST(FaceRendererTest, SecondFifteenIsSkippedAsTheOldRuntimeSkippedIt) {
  // fan, hidden second hand, seconds, ticks: + drew, - skipped after the first showing, 0 skipped
  // before it
  const std::tuple<bool, bool, std::vector<int>, std::string> cases[] = {
      // clang-format off
      {false, false, {14, 15, 15, 16}, "++-+"}, {true, false, {14, 15, 15}, "+++"},
      {false, false, {15, 15, 16}, "00+"}, {true, true, {14, 15, 16}, "+-+"}};
  // clang-format on
  for (const auto& [fan, hideSecond, seconds, ticks] : cases) {
    ClockSettings s = FirstRunSettings();
    s.DigitalClock = 0;
    s.nHari = fan;
    s.HideSecond = hideSecond;
    Face f(60, 60, s);
    std::string got;
    for (int second : seconds) {
      f.draw(at(9, 41, second));
      const bool drew = f.renderer.lastTick() != FaceRenderer::TickOutcome::Skipped;
      got += f.renderer.FirstShown() ? (drew ? '+' : '-') : (drew ? '?' : '0');
    }
    EXPECT_EQ(got, ticks) << "fan " << fan;
  }
}

TEST(FaceRendererTest, DigitalTextIsCentredAtTextTop) {
  if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) GTEST_SKIP();
  ClockSettings s = FirstRunSettings();
  s.Memori = true;
  s.hLong = {0, 0, 0};  // the hands shrink to the centre; everything else dark is text
  s.Format = QStringLiteral("yyyy/m");
  Face f(120, 120, s);
  const QImage& im = f.draw(at(10, 20, 30));
  const QRect text = inkedIn(im, QRect(0, 0, 120, 56)) | inkedIn(im, QRect(0, 64, 120, 56));
  // "2026/1" is 40 x 12 pixels: on 120 x 120 at 70 % it starts at x = 40, y = 84 - 6 = 78.
  EXPECT_TRUE(QRect(40, 78, 40, 12).contains(text) && text.left() <= 41 && text.top() <= 80);
  f.settings.DigitalClock = 0;
  f.draw(at(10, 20, 31));
  EXPECT_TRUE((inkedIn(im, QRect(0, 0, 120, 56)) | inkedIn(im, QRect(0, 64, 120, 56))).isEmpty());
}

TEST(FaceRendererTest, BackgroundPictureStaysUntilAnEmptyNameRemovesIt) {
  QTemporaryDir dir;
  QImage im(8, 6, QImage::Format_RGB32);
  im.fill(Qt::red);
  ASSERT_TRUE(im.save(dir.filePath("red.bmp"), "BMP"));
  im.fill(Qt::blue);
  ASSERT_TRUE(im.save(dir.filePath("blue.bmp"), "BMP"));
  test::writeBytes(dir.filePath("damaged.bmp"), "BM this is not a bitmap");
  const std::pair<const char*, QRgb> steps[] = {
      {"red.bmp", 0xffff0000}, {"damaged.bmp", 0xffff0000}, {"blue.bmp", 0xff0000ff}, {"", ~0u}};
  Face f(100, 80);
  int second = 0;
  for (const auto& [name, shown] : steps) {
    f.settings.BackBMP = *name ? dir.filePath(name) : QString();
    f.state.NeedPrepare = true;
    const QImage& im = f.draw(at(7, 0, ++second));
    EXPECT_EQ(std::pair(im.pixel(2, 2), im.pixel(97, 77)), std::pair(shown, shown)) << name;
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
  ClockSettings look = FirstRunSettings();
  look.BG_R = 250, look.BG_G = 240, look.BG_B = 200;
  look.Hour_R = 200, look.Minute_G = 160, look.Second_B = 255, look.Circle_R = 90;
  look.updateColors();
  look.Format = QStringLiteral("h:nn:ss");
  look.TextTop = 62;  // the hands cross the text
  // Every draw mode with the pen widths, fan, dots and picture varied; the copy mode at odd sizes.
  for (int i = 1; i <= 18; ++i) {
    const int mode = i <= 16 ? i : 13;
    const QSize size = i <= 16 ? QSize(130, 110) : i == 17 ? QSize(401, 257) : QSize(96, 160);
    look.DrawMode = std::int16_t(mode);
    look.HourLine = std::int16_t(2 + i % 3);
    look.MinuteLine = look.SecondLine = std::int16_t(1 + i % 3);
    look.mPset = i % 2 == 0;
    look.nHari = i % 3 == 0;
    look.BackBMP = i % 4 == 1 ? picture : QString();
    Face before(size.width(), size.height(), look), after(size.width(), size.height(), look);
    before.renderer.setAlwaysDrawWhole(true);
    SCOPED_TRACE(testing::Message() << "case " << i);
    QDateTime t(QDate(2026, 3, 9), QTime(10, 59, 17, 130));
    int lastSecond = -1;
    for (int tick = 0; tick < 450; ++tick, t = t.addMSecs(200)) {
      // Both mid-second: the menu's draw mode, then settings applied by the dialog; hidden to
      // the notification area for ticks 380-399, nothing is drawn, and all of it when shown.
      const bool changed = tick == 172 || tick == 302 || tick == 400, hidden = tick / 20 == 19;
      for (Face* f : {&before, &after}) {
        f->hooks.visible = !hidden;
        if (tick == 172) f->settings.DrawMode = std::int16_t(mode == 7 ? 10 : 7);
        if (tick == 302) {
          f->settings.HideSecond = true;
          f->settings.Format = QStringLiteral("ss");
          f->state.NeedPrepare = true;
        }
        f->draw(t);
      }
      ASSERT_EQ(after.screen, before.screen) << "tick " << tick;
      const bool drew = after.renderer.lastTick() >= FaceRenderer::TickOutcome::Partial;
      // The text shows the seconds: each new second draws; within one, only a change does.
      EXPECT_EQ(drew, !hidden && (t.time().second() != lastSecond || changed)) << "tick " << tick;
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
  const std::tuple<const char*, const char*, const char*, std::function<bool(const ClockSettings&)>>
      cases[] = {
          {"Setting", "FontSize", "9.5", [](auto& s) { return s.FontSize == 10; }},
          {"Setting", "FontSize", "40000", [](auto& s) { return s.FontSize == 7; }},
          {"Setting", "FontItalic", "maybe", [](auto& s) { return s.FontItalic; }},
          {"Setting", "hlong2", "1e2", [](auto& s) { return s.hLong[2] == 100; }},
          {"Setting", "BackLine", "0", [](auto& s) { return s.BackLine == 1; }},
          {"Color", "MOJI_R", "-2.5",
           [](auto& s) { return s.Moji_R == -2 && s.MojiColor == RGB(0, 9, 9); }},
          {"Color", "Moji_R", "300", [](auto& s) { return s.MojiColor == RGB(255, 9, 9); }},
          {"Setting", "DrawMode", "7", [](auto& s) { return s.DrawMode == 13; }},
          {"setting", "RUNED", "True", [](auto& s) { return s.FontSize == 7; }},
          {"Setting", "Runed", " True", [](auto& s) { return s.FontSize == 8; }},
          {"Setting", "Runed", "true", [](auto& s) { return s.FontSize == 8; }},
      };
  ClockSettings marked;
  marked.FontSize = 7;
  marked.FontItalic = true;
  marked.BackLine = 4;
  marked.Moji_G = marked.Moji_B = 9;
  marked.DrawMode = 5;  // load starts from 13
  for (const auto& [section, key, text, holds] : cases) {
    MemorySettingsStore store;
    put(store, "Setting", "Runed", "True");
    put(store, section, key, text);
    ClockSettings s = marked;
    LoadClockSettings(store, s);
    EXPECT_TRUE(holds(s)) << key << " = '" << text << "'";
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
  FileSettingsStore saver(dir.path()), store(dir.path());
  ASSERT_TRUE(SaveClockSettings(saver, saved, {1800, 2400.5f, 1935, 2010, true, true}));
  ClockSettings loaded;
  const LoadOutcome outcome = LoadClockSettings(store, loaded);
  EXPECT_TRUE(loaded == saved && !outcome.firstRun && outcome.alwaysOnTop && LoadRgnMode(store));
  // The placement takes a single left and leading numbers.
  EXPECT_EQ(LoadPlacement(store).value().Top, 2400.5);
  put(store, "Position", "Top", " - 30 twips");
  put(store, "POSITION", "Width", "x");
  EXPECT_TRUE(LoadPlacement(store).value().Top == -30 && LoadPlacement(store)->Width == 0);
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
