#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "StoredFiles.h"
#include "clock/ClockSettingsStorage.h"
#include "store/FileSettingsStore.h"
#include "store/MemorySettingsStore.h"

namespace kwemo {

namespace {

void put(SettingsStore& store, const QString& section, const QString& key, const QString& text) {
  ASSERT_TRUE(store.write(settingsApplication(), section, key, text));
}

}  // namespace

TEST(ClockSettingsStorage, EmptyStoreGivesTheFirstRunRecord) {
  QTemporaryDir dir;
  MemorySettingsStore memory;
  FileSettingsStore file(dir.path());
  for (const SettingsStore* store :
       {static_cast<const SettingsStore*>(&memory), static_cast<const SettingsStore*>(&file)}) {
    ClockSettings s;
    const LoadOutcome outcome = LoadClockSettings(*store, s);
    EXPECT_TRUE(outcome.firstRun);
    EXPECT_FALSE(outcome.alwaysOnTop);
    EXPECT_EQ(s, FirstRunSettings());
    EXPECT_EQ(s.backgroundColor(), RGB(255, 255, 255));
    EXPECT_FALSE(LoadRgnMode(*store));
    EXPECT_FALSE(LoadPlacement(*store).has_value());
  }
}

TEST(ClockSettingsStorage, OnlyTheExactTextTrueMarksAnEarlierRun) {
  struct Case {
    const char* runed;
    bool firstRun;
  };
  const Case cases[] = {{"True", false}, {"true", true}, {"TRUE", true},
                        {" True", true}, {"-1", true},   {"", true}};
  for (const auto& c : cases) {
    MemorySettingsStore store;
    put(store, "setting", "RUNED", c.runed);
    put(store, "Setting", "HourLine", "5");
    put(store, "Position", "always on top", c.runed);
    ClockSettings s;
    const LoadOutcome outcome = LoadClockSettings(store, s);
    EXPECT_EQ(outcome.firstRun, c.firstRun) << c.runed;
    EXPECT_EQ(outcome.alwaysOnTop, !c.firstRun) << c.runed;
    EXPECT_EQ(s.HourLine, c.firstRun ? 2 : 5) << c.runed;
  }
}

// Each case stores one value in a store that has seen a shut-down, loads it into a record whose
// fields hold marker values, and checks the field.
TEST(ClockSettingsStorage, ConversionsOnLoadAndKeepingThePreviousValue) {
  struct Case {
    const char* section;
    const char* key;
    const char* text;
    std::function<bool(const ClockSettings&)> holds;
  };
  const Case cases[] = {
      {"Setting", "FontSize", "9.5", [](auto& s) { return s.FontSize == 10; }},
      {"Setting", "FontSize", "8.5", [](auto& s) { return s.FontSize == 8; }},
      {"Setting", "FontSize", "40000", [](auto& s) { return s.FontSize == 7; }},
      {"Setting", "FontSize", "", [](auto& s) { return s.FontSize == 7; }},
      {"Setting", "FontBold", "1", [](auto& s) { return s.FontBold; }},
      {"Setting", "FontItalic", "FALSE", [](auto& s) { return !s.FontItalic; }},
      {"Setting", "FontItalic", "maybe", [](auto& s) { return s.FontItalic; }},
      {"Setting", "TextTop", "abc", [](auto& s) { return s.TextTop == 33; }},
      {"Setting", "TextTop", "62.5", [](auto& s) { return s.TextTop == 62.5f; }},
      {"Setting", "hlong2", "1e2", [](auto& s) { return s.hLong[2] == 100; }},
      {"Setting", "BackLine", "0", [](auto& s) { return s.BackLine == 1; }},
      {"Setting", "BackLine", "x", [](auto& s) { return s.BackLine == 4; }},
      {"Setting", "HourLine", "0", [](auto& s) { return s.HourLine == 0; }},
      {"Color", "Moji_R", "300",
       [](auto& s) { return s.Moji_R == 300 && s.MojiColor == RGB(255, 9, 9); }},
      {"Color", "MOJI_R", "-2.5",
       [](auto& s) { return s.Moji_R == -2 && s.MojiColor == RGB(0, 9, 9); }},
      {"Color", "Circle_B", "junk",
       [](auto& s) { return s.Circle_B == 9 && s.CircleColor == RGB(9, 9, 9); }},
      {"Color", "DrawMode", "40", [](auto& s) { return s.DrawMode == 40; }},
      {"Color", "DrawMode", "abc", [](auto& s) { return s.DrawMode == 13; }},
      {"Setting", "DrawMode", "7", [](auto& s) { return s.DrawMode == 13; }},
      {"Setting", "Format", " yyyy ", [](auto& s) { return s.Format == " yyyy "; }},
  };
  for (const auto& c : cases) {
    MemorySettingsStore store;
    put(store, "Setting", "Runed", "True");
    put(store, c.section, c.key, c.text);
    ClockSettings s;
    s.FontSize = 7;
    s.FontItalic = true;
    s.TextTop = 33;
    s.BackLine = 4;
    s.Moji_G = s.Moji_B = s.Circle_R = s.Circle_G = s.Circle_B = 9;
    s.DrawMode = 5;  // load starts from 13
    LoadClockSettings(store, s);
    EXPECT_TRUE(c.holds(s)) << c.section << "/" << c.key << " = '" << c.text << "'";
  }
}

TEST(ClockSettingsStorage, SaveThenLoadThroughTheFileGivesTheSameRecord) {
  QTemporaryDir dir;
  ClockSettings saved;
  saved.DigitalClock = 1;
  saved.FontSize = 12;
  saved.Format = "yyyy/mm/dd (aaa) hh:nn:ss \"=;#[\\\r\n";
  saved.FontName = QString::fromUtf8(" IPAPGothic ＭＳ ");
  saved.FontBold = saved.HideSecond = saved.mPset = saved.nHari = true;
  saved.TextTop = 62.5f;
  saved.hLong = {33.33333f, 0.1f, 1.234568e7f};
  int v = 1;
  for (std::int16_t* c :
       {&saved.Moji_R, &saved.Moji_G, &saved.Moji_B, &saved.Hour_R, &saved.Hour_G, &saved.Hour_B,
        &saved.Minute_R, &saved.Minute_G, &saved.Minute_B, &saved.Second_R, &saved.Second_G,
        &saved.Second_B, &saved.BG_R, &saved.BG_G, &saved.BG_B, &saved.Circle_R, &saved.Circle_G,
        &saved.Circle_B})
    *c = static_cast<std::int16_t>(v++ * 13);
  saved.HourLine = 3;
  saved.MinuteLine = 0;
  saved.SecondLine = -1;
  saved.BackLine = 7;
  saved.DrawMode = 99;
  saved.BackBMP = "/home/user/My Pictures/back ground.bmp";
  saved.updateColors();
  const WindowState window{1800, 2400.5f, 1935, 2010, true, true};
  {
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(SaveClockSettings(store, saved, window));
  }
  FileSettingsStore store(dir.path());
  ClockSettings loaded;
  const LoadOutcome outcome = LoadClockSettings(store, loaded);
  EXPECT_FALSE(outcome.firstRun);
  EXPECT_TRUE(outcome.alwaysOnTop);
  EXPECT_EQ(loaded, saved);
  EXPECT_TRUE(LoadRgnMode(store));
  const auto placement = LoadPlacement(store);
  ASSERT_TRUE(placement.has_value());
  EXPECT_EQ(placement->Left, 1800);
  EXPECT_EQ(placement->Top, 2400.5);
  EXPECT_EQ(placement->Width, 1935);
  EXPECT_EQ(placement->Height, 2010);
}

TEST(ClockSettingsStorage, PlacementTakesASingleLeftAndLeadingNumbers) {
  struct Case {
    const char* left;
    const char* top;
    const char* width;
    bool found;
    double topValue, widthValue;
  };
  const Case cases[] = {
      {"1800", "2400", "1935", true, 2400, 1935}, {"1800", "1200twips", "", true, 1200, 0},
      {"abc", "2400", "1935", false, 0, 0},       {"", "2400", "1935", false, 0, 0},
      {"-15", " - 30 ", "x", true, -30, 0},
  };
  for (const auto& c : cases) {
    MemorySettingsStore store;
    put(store, "Position", "Left", c.left);
    put(store, "Position", "Top", c.top);
    put(store, "POSITION", "Width", c.width);
    const auto p = LoadPlacement(store);
    ASSERT_EQ(p.has_value(), c.found) << c.left;
    if (!c.found) continue;
    EXPECT_EQ(p->Top, c.topValue) << c.top;
    EXPECT_EQ(p->Width, c.widthValue) << c.width;
    EXPECT_EQ(p->Height, 0);
  }
}

// Stored files keep their exact shape: key order, spelling and text forms, byte for byte; and
// the shut-down moves between the sections as it always has.
TEST(ClockSettingsStorage, SavedFileKeepsItsShape) {
  QTemporaryDir dir;
  FileSettingsStore store(dir.path());
  ASSERT_TRUE(SaveClockSettings(store, FirstRunSettings(), WindowState{}));
  QFile file(store.filePath(settingsApplication()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), std::string(kFirstRunFile));

  MemorySettingsStore log;
  ASSERT_TRUE(SaveClockSettings(log, FirstRunSettings(), WindowState{}));
  QStringList runs;
  for (const QString& entry : log.writeLog()) {
    const QString section = entry.section(u'/', 0, 0);
    if (runs.isEmpty() || !runs.back().startsWith(section + ' ')) runs << section + " 0";
    runs.back() = section + ' ' + QString::number(runs.back().section(u' ', 1).toInt() + 1);
  }
  EXPECT_EQ(runs.join(", "), "Setting 14, Position 5, Setting 5, Color 18, Setting 2, Color 1");
}

}  // namespace kwemo
