// Presses on the message strip delivered the way the window system delivers them (through the
// clock's native window, so Qt picks the receiving widget): the strip hides under the pointer,
// and the press must still end with the clock ticking and nothing glued to the pointer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "Controls.h"
#include "clockwindow/MessageStrip.h"
#include "clockwindow/frmClock.h"
#include "desktop/Prompts.h"
#include "store/MemorySettingsStore.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

using test::control;

struct StripClock {
  MemorySettingsStore store;
  ScriptedPrompts prompts;
  ClockSettings settings;
  std::unique_ptr<frmClock> window;

  StripClock() {
    setPrompts(&prompts);
    store.write(QStringLiteral("KWEMO"), QStringLiteral("Setting"), QStringLiteral("Runed"),
                QStringLiteral("True"));
    window = std::make_unique<frmClock>(settings, store, [] {});
    window->Form_Load();
    const QRect screen = window->screen()->availableGeometry();
    window->move(screen.left() + 100, screen.top() + 100);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  ~StripClock() {
    window.reset();
    setPrompts(nullptr);
  }
  // A point of the strip (shown now) and of the face, in window coordinates.
  QPoint onStrip() {
    control<SurfaceView>(*window, "picMsg").show();
    return control<SurfaceView>(*window, "picMsg").mapTo(window.get(), QPoint(40, 9));
  }
  QPoint onFace() const {
    return control<SurfaceView>(*window, "picPrev").mapTo(window.get(), QPoint(60, 30));
  }
  QWindow* native() const { return window->windowHandle(); }
};

TEST(StripPress, EveryPressEndsTickingAndLeavesNothingOnThePointer) {
  struct Case {
    const char* name;
    QPoint dragBy;  // (0, 0): a plain click
  };
  for (const Case& k : {Case{"click", {0, 0}}, Case{"drag", {12, -40}}}) {
    SCOPED_TRACE(k.name);
    StripClock c;
    frmClock& w = *c.window;
    const QPoint press = c.onStrip();
    const QPoint before = w.pos();

    QTest::mousePress(c.native(), Qt::LeftButton, {}, press);
    EXPECT_FALSE(control<SurfaceView>(w, "picMsg").isVisible());
    EXPECT_FALSE(w.Timer1().isActive());
    // The pointer leaves the hidden strip for the face; once the window follows, the pointer is
    // back over the same point of the window.
    if (!k.dragBy.isNull()) QTest::mouseMove(c.native(), press + k.dragBy);
    QTest::mouseRelease(c.native(), Qt::LeftButton, {}, press);
    EXPECT_TRUE(w.Timer1().isActive());
    // The offscreen platform has no window manager: our own moves, point for point.
    EXPECT_EQ(w.pos(), before + k.dragBy);

    // No button held: the pointer takes nothing along, and the clock still ticks.
    const QPoint after = w.pos();
    QTest::mouseMove(c.native(), c.onFace());
    QTest::mouseMove(c.native(), c.onFace() + QPoint(30, 20));
    EXPECT_EQ(w.pos(), after);
    EXPECT_TRUE(w.Timer1().isActive());
  }
}

}  // namespace
}  // namespace kwemo
