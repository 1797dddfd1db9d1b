// The clock window with its commands, as the program puts them together: start-up on an empty and
// on a stored store, keys, menus, presses on the strip and the face, the dialogs beside the clock,
// and saves that fail. End and shut-down are checked end to end (tests/e2e/test_end.sh).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QWindow>

#include "Controls.h"
#include "MenuTestSupport.h"
#include "Waits.h"
#include "clockwindow/ClockTrayIcon.h"
#include "clockwindow/ClockWindowCommands.h"
#include "clockwindow/Memo.h"
#include "clockwindow/MessageStrip.h"
#include "clockwindow/frmClock.h"
#include "settings/frmSetting.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

using M = ClockPopupMenu;
using test::control;

struct Clock {
  menutest::FlakyStore store;
  test::ScopedPrompts prompts;
  ClockSettings settings;
  int ended = 0;
  std::unique_ptr<frmClock> window;
  ClockWindowCommands* wiring = nullptr;

  void put(const char* section, const char* key, const QString& value) {
    store.write("KWEMO", section, key, value);
  }
  frmClock& load(bool storedRun = true) {
    if (storedRun) put("Setting", "Runed", "True");
    window = std::make_unique<frmClock>(
        settings, store, [this] { ++ended; },
        [] { return QDateTime(QDate(2026, 1, 5), QTime(9, 7, 30)); });
    wiring = new ClockWindowCommands(*window);
    window->Form_Load();
    return *window;
  }
  ClockCommands& commands() { return wiring->commands(); }
};

// Runs `open` and returns the caption of the memo item while the menu is up, closing it.
QString captionWhilePoppedUp(const std::function<void()>& open) {
  QString seen = "(no menu)";
  const auto closer = test::whenUp<QMenu>([&](QMenu& menu) {
    for (QAction* a : menu.actions())
      if (a->data().toInt() == M::kMemoEdit) seen = M::caption(*a);
    menu.close();
  });
  open();
  return seen;
}

// The window's size and the splash are checked end to end (tests/e2e/test_first_launch.sh).
TEST(frmClock, FirstStartWelcomesDrawsTheFirstRunFaceAndGreets) {
  Clock c;
  c.prompts.scripted.answer(Answer::Ok);
  frmClock& w = c.load(false);
  ASSERT_EQ(c.prompts.scripted.asked().size(), 1u);
  EXPECT_EQ(c.prompts.scripted.asked()[0].text, "Welcome to KWEMO World! :-)");
  EXPECT_EQ(c.store.writeLog().count("Memo/Title") + c.store.writeLog().count("Memo/Memo"), 2);
  EXPECT_TRUE(w.messageStrip().timMsg().isActive()) << "no greeting";
  // First-run look: black hands on white; the hour hand at 9:07 runs left from the centre.
  const QImage& face = control<SurfaceView>(w, "picPrev").surface().image();
  EXPECT_EQ(face.pixel(110, 10) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(face.pixel(45, 59) & 0xFFFFFF, 0x000000u);
}

// The outline and always-on-top are checked end to end (tests/e2e/test_stored_states.sh).
TEST(frmClock, StoredStatesAreRestoredWithoutWelcome) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const std::pair<const char*, QRect> cases[] = {
      {"1500,750,2400,1920", {100, 50, 160, 128}},
      {"150000,1500,1920,1920", {screen.right() + 1 - 128, 100, 128, 128}},  // unplugged
  };
  for (const auto& [place, expected] : cases) {
    Clock c;
    c.put("Setting", "RgnMode", "True");
    for (int i = 0; i < 4; ++i)
      c.put("Position", std::array{"Left", "Top", "Width", "Height"}[i],
            QString(place).section(u',', i, i));
    frmClock& w = c.load();
    EXPECT_TRUE(c.prompts.scripted.asked().empty() && !c.store.writeLog().contains("Memo/Title"));
    EXPECT_EQ(w.geometry(), expected);
    // The stored outline was made for the design size; the first tick's preparation renews it.
    EXPECT_EQ(w.mask().boundingRect(), QRect(QPoint(5, 5), expected.size() - QSize(8, 8)));
  }
}

// Keys reach the window's own items through any child; a new client size from the settings
// dialog recomputes the face and moves the strip but leaves the outline alone.
TEST(frmClock, KeysDialogsAndTheClientSize) {
  Clock c;
  frmClock& w = c.load();
  QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
  auto& face = control<SurfaceView>(w, "picPrev");
  QTest::keyClick(&face, Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(w.mPI(M::kEllipticForm)->isChecked() &&
              w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  const QRegion ellipse = w.mask();
  EXPECT_EQ(ellipse.boundingRect(), QRect(5, 5, 120, 120));
  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&face, &move);
  EXPECT_TRUE(face.toolTip().startsWith("(KWEMO) "));

  c.commands().mPI_Click(M::kSetting);
  std::unique_ptr<frmSetting> dialog(OpenSettings());
  ASSERT_TRUE(dialog && dialog->isVisible() && !dialog->isModal());
  c.wiring->SetClientSize(QSize(200, 100));
  EXPECT_EQ(face.geometry(), QRect(0, 0, 200, 100));
  EXPECT_EQ(w.faceState().Geometry, (FaceGeometry{100, 50, 50, 200, 100}));
  EXPECT_EQ(w.messageStrip().picMsg().geometry(), QRect(0, 82, 200, 18));
  EXPECT_EQ(w.mask(), ellipse);
}

// Every way to the menu (the face: test_popup_menu.sh; the strip: the presses below; the icon:
// here) opens it through one call that refreshes it.
TEST(frmClock, TheMenuIsRefreshedAsItOpens) {
  Clock c;
  c.load();
  for (const bool memo : {true, false}) {
    WriteMemo(c.store, memo ? StoredMemo{"0123456789AB", ""} : StoredMemo{});
    c.settings.DrawMode = 3;
    c.commands().menu().checkDrawMode(0);
    EXPECT_EQ(
        captionWhilePoppedUp([&] { c.commands().trayActivated(QSystemTrayIcon::Context, true); }),
        memo ? "メモの表示・編集(&M) - 0123456789..." : "メモ作成(&M)");
    EXPECT_EQ(c.commands().menu().enabled(M::kMemoCopy), memo);
    EXPECT_TRUE(c.commands().menu().mDM(3)->isChecked());
  }
}

// Presses delivered the way the window system delivers them (through the clock's native window,
// so Qt picks the receiving widget). The strip hides under the pointer, and every press must still
// end with the clock ticking and nothing glued to the pointer; a drag from the face is not pulled
// back onto the screen (one from the strip is: test_drag.sh); the frame resizes within the minimum.
TEST(frmClock, PressesOnTheStripTheFaceAndTheFrame) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QPoint start = screen.topLeft() + QPoint(100, 100), far(5000, 5000);
  const QPoint strip(44, 115), face(64, 34);
  const QSize size(128, 128);
  const struct {
    QPoint at;
    Qt::MouseButton button;
    QPoint by;
    QRect expected;
  } cases[] = {
      {strip, Qt::LeftButton, {12, -40}, {start + QPoint(12, -40), size}},
      {face, Qt::LeftButton, far, {start + far, size}},
      {strip, Qt::RightButton, {}, {start, size}},
      {{126, 126}, Qt::LeftButton, {30, 20}, {start, QSize(158, 148)}},
      {{1, 1}, Qt::LeftButton, far, {start + QPoint(104, 104), QSize(24, 24)}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(&k - cases);
    Clock c;
    frmClock& w = c.load();
    w.move(start);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    int menus = 0;
    const auto closer = test::whenUp<QMenu>([&](QMenu& menu) {
      EXPECT_FALSE(w.Timer1().isActive());
      ++menus;
      menu.close();
    });
    const bool onStrip = k.at == strip;
    if (onStrip) w.messageStrip().picMsg().show();
    QWindow* native = w.windowHandle();

    QTest::mousePress(native, k.button, {}, k.at);
    EXPECT_FALSE(onStrip && w.messageStrip().picMsg().isVisible());
    EXPECT_EQ(w.Timer1().isActive(), !onStrip || k.button == Qt::RightButton);
    if (!k.by.isNull()) QTest::mouseMove(native, k.at + k.by);
    QTest::mouseRelease(native, k.button, {}, w.mapFromGlobal(start + k.at + k.by));
    EXPECT_TRUE(w.Timer1().isActive());
    EXPECT_EQ(w.geometry(), k.expected);
    EXPECT_EQ(menus, k.button == Qt::RightButton ? 1 : 0);
    // No button held: the pointer takes nothing along.
    QTest::mouseMove(native, face);
    QTest::mouseMove(native, face + QPoint(30, 20));
    EXPECT_TRUE(w.geometry() == k.expected && w.Timer1().isActive());
  }
}

// The X server can lose a release (a grab taken elsewhere): the first move without the button
// ends the press, and the window stays where it is.
TEST(frmClock, AMoveWithoutTheButtonEndsALostPress) {
  Clock c;
  frmClock& w = c.load();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const QRect before = w.geometry();
  auto& face = control<SurfaceView>(w, "picPrev");
  QTest::mousePress(&face, Qt::LeftButton, {}, {64, 34});
  for (const QPoint to : {QPoint(90, 60), QPoint(120, 90)}) {
    QMouseEvent move(QEvent::MouseMove, to, face.mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&face, &move);
  }
  EXPECT_EQ(w.geometry(), before);
  EXPECT_TRUE(w.Timer1().isActive());
  QTest::mouseRelease(&face, Qt::LeftButton, {}, {64, 34});
}

// A save the user asked for that fails is never silent: a box gives the store's reason. (At
// shut-down a line on stderr does: tests/e2e/test_hostile_files.sh.)
TEST(frmClock, AFailedSaveSaysWhy) {
  Clock c;
  c.load();
  c.settings.Format = "applied";
  c.wiring->SaveSettings(nullptr);
  EXPECT_EQ(c.store.read("KWEMO", "Setting", "Format"), "applied");
  c.store.failWrites = true;
  c.wiring->SaveSettings(nullptr);
  ASSERT_EQ(c.prompts.scripted.asked().size(), 1u);
  const auto& box = c.prompts.scripted.asked()[0];
  EXPECT_TRUE(box.title == "KWEMO Setting" && box.icon == Icon::Critical);
  EXPECT_EQ(box.text, "設定を保存できませんでした。\n" + c.store.lastFailure());

  c.window->close();
  EXPECT_EQ(c.prompts.scripted.asked().size(), 1u);  // no box at shut-down
}

}  // namespace
}  // namespace kwemo
