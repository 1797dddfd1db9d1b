// The commands plugged into the real clock window: shared menu items, keys reaching the window,
// the face's right button and tooltip, End, and the settings dialog's view of the clock.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include "Controls.h"
#include "MenuTestSupport.h"
#include "Waits.h"
#include "about/frmAbout.h"
#include "clock/ClockSettings.h"
#include "clockwindow/ClockWindowCommands.h"
#include "clockwindow/Memo.h"
#include "clockwindow/frmClock.h"
#include "settings/frmSetting.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

using test::control;

using M = ClockPopupMenu;

struct Wired {
  menutest::ScopedPrompts prompts;
  MemorySettingsStore store;
  ClockSettings settings;
  int ended = 0;
  frmClock clock{settings, store, [this] { ++ended; }};
  ClockWindowCommands* wiring = new ClockWindowCommands(clock);

  Wired() {
    store.write("KWEMO", "Setting", "Runed", "True");
    clock.Form_Load();
  }
  ClockPopupMenu& menu() { return wiring->commands().menu(); }
  void key(QWidget& target, int k, Qt::KeyboardModifiers mods) {
    QKeyEvent press(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(&target, &press);
  }
};

// Runs `press` and returns the caption of the memo item while the menu is up, closing it.
QString captionWhilePoppedUp(const std::function<void()>& press) {
  QString seen = "(no menu)";
  const auto closer = test::whenUp<QMenu>([&](QMenu& menu) {
    for (QAction* a : menu.actions())
      if (a->data().toInt() == M::kMemoEdit) seen = M::caption(*a);
    menu.close();
  });
  press();
  return seen;
}

TEST(ClockWindowCommands, SharesTheWindowsItemsAndTakesItsKeys) {
  Wired w;
  for (int i : {M::kAlwaysOnTop, M::kEllipticForm, M::kHideInTray})
    EXPECT_EQ(w.menu().mPI(i), w.clock.mPI(i)) << i;

  w.key(w.clock, Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(w.clock.mPI(M::kEllipticForm)->isChecked());
  EXPECT_FALSE(w.clock.CurrentRgn().isEmpty());
  w.key(control<SurfaceView>(w.clock, "picPrev"), Qt::Key_A,
        Qt::ControlModifier);  // a child's key reaches the window
  EXPECT_TRUE(w.clock.mPI(M::kAlwaysOnTop)->isChecked());
  // The native window exists only once a tick has shown the clock, which timing may delay.
  EXPECT_TRUE(w.clock.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  if (QWindow* handle = w.clock.windowHandle()) {
    EXPECT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
  }

  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&control<SurfaceView>(w.clock, "picPrev"), &move);
  EXPECT_TRUE(control<SurfaceView>(w.clock, "picPrev").toolTip().startsWith("(KWEMO) "))
      << control<SurfaceView>(w.clock, "picPrev").toolTip().toStdString();
}

TEST(ClockWindowCommands, EveryWayToTheMenuRefreshesIt) {
  Wired w;
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"face",
       [&] {
         QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(20, 20),
                           Qt::RightButton, Qt::RightButton, Qt::NoModifier);
         QApplication::sendEvent(&control<SurfaceView>(w.clock, "picPrev"), &press);
       }},
      {"strip", [&] { emit w.clock.popupMenuRequested(QPoint(20, 110)); }},
      {"icon on a StatusNotifierItem host",
       [&] { w.wiring->commands().trayActivated(QSystemTrayIcon::Context, true); }},
  };
  for (const auto& [way, open] : ways) {
    WriteMemo(w.store, {"0123456789AB", ""});
    EXPECT_EQ(captionWhilePoppedUp(open), "メモの表示・編集(&M) - 0123456789...") << way;
    EXPECT_TRUE(w.menu().enabled(M::kMemoCopy)) << way;
    WriteMemo(w.store, {});
    EXPECT_EQ(captionWhilePoppedUp(open), "メモ作成(&M)") << way;
    EXPECT_FALSE(w.menu().enabled(M::kMemoCopy)) << way;
  }
}

TEST(ClockWindowCommands, SettingsAndAboutOpenBesideTheClock) {
  Wired w;
  w.wiring->commands().mPI_Click(M::kSetting);
  frmSetting* dialog = OpenSettings();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(w.wiring->ClientSize(), QSize(120, 120));
  w.wiring->SetClientSize(QSize(150, 90));
  EXPECT_EQ(control<QWidget>(w.clock, "clientArea").size(), QSize(150, 90));
  delete dialog;

  w.wiring->commands().mPI_Click(M::kAbout);
  auto* about = w.clock.findChild<frmAbout*>();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(about->isVisible());
}

TEST(ClockWindowCommands, EndSaysGoodbyeAndShutsDown) {
  Wired w;
  test::SteppedTicks ticks;
  const std::int64_t start = TickCount();
  w.wiring->commands().mPI_Click(M::kEnd);
  EXPECT_GE(TickCount() - start, 300) << "the farewell stays 300 ms before the window unloads";
  EXPECT_EQ(w.ended, 1);
  EXPECT_TRUE(w.clock.shutDown());
  EXPECT_EQ(w.store.read("KWEMO", "Position", "Always On Top"), "False");
}

}  // namespace
}  // namespace kwemo
