#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "clock/ClockSettingsStorage.h"
#include "store/FileSettingsStore.h"

namespace kwemo {
namespace {

// The snapshot tool draws what the clock draws: every draw mode reaches the picture. Black hands
// on a white face at 3 o'clock; the hour hand crosses (85, 60). Mode 4 inverts the pen, 6 the
// face, 11 draws nothing.
TEST(KwemoFaceTool, DrawsWithTheStoredDrawMode) {
  const std::pair<int, bool> cases[] = {{4, false}, {6, true}, {11, false}};
  for (const auto& [mode, darkHand] : cases) {
    QTemporaryDir dir;
    ClockSettings s = FirstRunSettings();
    s.Memori = true;
    s.DigitalClock = 0;
    s.DrawMode = std::int16_t(mode);
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(SaveClockSettings(store, s, WindowState{}));
    const QString out = dir.filePath("face.png");
    ASSERT_EQ(QProcess::execute(KWEMO_FACE_TOOL, {"--settings", dir.path(), "--time",
                                                  "2026-01-05 03:00:00", "--out", out}),
              0);
    const QImage face(out);
    ASSERT_EQ(face.size(), QSize(120, 120));
    EXPECT_EQ(qGray(face.pixel(85, 60)) < 128, darkHand) << mode;
    EXPECT_GT(qGray(face.pixel(30, 90)), 200) << mode;  // the face itself stays white
  }
}

}  // namespace
}  // namespace kwemo
