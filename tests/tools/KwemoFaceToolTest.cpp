#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "clock/ClockSettings.h"
#include "clock/ClockSettingsStorage.h"
#include "store/FileSettingsStore.h"

namespace kwemo {
namespace {

// The snapshot tool draws what the clock draws: every draw mode reaches the picture. Black hands
// on a white face at 3 o'clock; the hour hand crosses (85, 60).
TEST(KwemoFaceTool, DrawsWithTheStoredDrawMode) {
  struct Case {
    int mode;
    bool darkHand;
  };
  // 1 black, 4 the pen inverted, 6 the face inverted, 11 nothing, 13 the pen, 16 white.
  const Case cases[] = {{1, true}, {4, false}, {6, true}, {11, false}, {13, true}, {16, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ClockSettings s;
    s.BG_R = s.BG_G = s.BG_B = 255;
    s.HourLine = s.MinuteLine = s.SecondLine = s.BackLine = 2;
    s.hLong = {60, 80, 95};
    s.Memori = true;
    s.DigitalClock = 0;
    s.DrawMode = static_cast<std::int16_t>(c.mode);
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(SaveClockSettings(store, s, WindowState{}));

    const QString out = dir.filePath(QStringLiteral("face.png"));
    QProcess tool;
    tool.start(QStringLiteral(KWEMO_FACE_TOOL),
               {QStringLiteral("--settings"), dir.path(), QStringLiteral("--time"),
                QStringLiteral("2026-01-05 03:00:00"), QStringLiteral("--out"), out});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QImage face(out);
    ASSERT_EQ(face.size(), QSize(120, 120));
    EXPECT_EQ(qGray(face.pixel(85, 60)) < 128, c.darkHand);
    EXPECT_GT(qGray(face.pixel(30, 90)), 200);  // the face itself stays white
  }
}

}  // namespace
}  // namespace kwemo
