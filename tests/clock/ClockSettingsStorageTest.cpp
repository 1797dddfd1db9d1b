#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "FileBytes.h"
#include "clock/ClockSettingsStorage.h"
#include "store/FileSettingsStore.h"
#include "store/MemorySettingsStore.h"

namespace kwemo {
namespace {

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
