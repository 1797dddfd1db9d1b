#include <gtest/gtest.h>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

#include "MenuTestSupport.h"
#include "clock/ClockSettings.h"
#include "clockwindow/ClockCommands.h"
#include "clockwindow/FaceToolTip.h"
#include "clockwindow/KeyTable.h"
#include "clockwindow/Memo.h"
#include "clockwindow/TrayMessages.h"
#include "oldruntime/DateFormat.h"

namespace kwemo {
namespace {

using M = ClockPopupMenu;
using menutest::FakeClockWindow;
using menutest::ScopedPrompts;

struct Fixture {
  explicit Fixture(std::int64_t uptime = 0)
      : commands(window, settings, store, {},
                 {[uptime] { return uptime; },
                  [] { return QDateTime(QDate(2026, 12, 5), QTime(13, 5, 59)); }}) {}
  FakeClockWindow window;
  ClockSettings settings;
  MemorySettingsStore store;
  ClockCommands commands;
};

TEST(ClockCommands, EachMenuCodeDoesItsCommandAndShowsItsMessage) {
  struct Case {
    int index;
    std::vector<int> ticked;  // marks before
    bool tray;
    QString calls;
    std::vector<int> tickedAfter;
  };
  const Case cases[] = {
      {0, {}, true, "SetTopMost(1)|ShowMsg(A.O.T : True,0)", {0}},
      {11, {}, true, "ShowMsg(MEMO Edit/View,0)", {}},
      {20, {}, true, "ShowMsg(Clipboard Cleared.,0)", {}},
      {100, {}, true, "settings|ShowMsg(Setting Mode.,0)", {}},
      {110, {110}, true, "ChangeRgn(0,0,0)|ShowMsg(Normal Form.,0)", {}},
      {998, {}, true, "hide", {998}},
      {998, {}, false, "", {}},  // no notification area: never hide into nothing
      {998, {998}, false, "show", {}},
      {32766, {0, 110}, true, "about", {0, 110}},
      {32767, {}, true, "ShowMsg(C-ya! :-),300)|unload", {}},
      {12345, {}, true, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    Fixture f;
    f.window.tray = c.tray;
    for (int i : c.ticked) f.commands.menu().setChecked(i, true);
    f.settings.DrawMode = 7;
    f.commands.menu().checkDrawMode(3);  // stale marks
    QGuiApplication::clipboard()->setText("something");

    f.commands.mPI_Click(c.index);
    EXPECT_EQ(f.window.calls.join('|'), c.calls);
    for (int i : {0, 110, 998}) {
      const bool expected =
          std::find(c.tickedAfter.begin(), c.tickedAfter.end(), i) != c.tickedAfter.end();
      EXPECT_EQ(f.commands.menu().checked(i), expected) << "mark of " << i;
    }
    for (int n = 1; n <= 16; ++n) EXPECT_EQ(f.commands.menu().mDM(n)->isChecked(), n == 7) << n;
    EXPECT_EQ(QGuiApplication::clipboard()->text().isEmpty(), c.index == 20);
    EXPECT_EQ(f.commands.memo().window() != nullptr, c.index == 11);
  }

  // End again while the first is under way (a second close request): nothing more is said.
  Fixture f;
  f.commands.mPI_Click(32767);
  f.commands.mPI_Click(32767);
  EXPECT_EQ(f.window.calls.join('|'), "ShowMsg(C-ya! :-),300)|unload");
}

TEST(ClockCommands, DrawModeClickSetsTheModeOnly) {
  Fixture f;
  f.commands.menu().checkDrawMode(13);
  f.commands.menu().mDM(4)->trigger();
  EXPECT_EQ(f.settings.DrawMode, 4);
  EXPECT_TRUE(f.commands.menu().mDM(13)->isChecked()) << "marks wait for the next refresh";
  EXPECT_FALSE(f.commands.menu().mDM(4)->isChecked());
  EXPECT_TRUE(f.window.calls.isEmpty());
}

TEST(KeyTable, FirstMatchWithCtrlAndAltAlone) {
  const auto C = Qt::ControlModifier, A = Qt::AltModifier, S = Qt::ShiftModifier;
  const Qt::KeyboardModifiers none;
  const KeyCommand nothing{};
  const KeyCommand uptime{KeyCommand::Uptime, 0};
  auto cmd = [](int i) { return KeyCommand{KeyCommand::MenuCommand, i}; };
  const struct {
    int key;
    Qt::KeyboardModifiers mods;
    bool copyEnabled;
    KeyCommand expected;
  } cases[] = {
      {Qt::Key_S, C, true, cmd(100)},
      {Qt::Key_A, C, true, cmd(0)},
      {Qt::Key_F4, A, true, cmd(32767)},
      {Qt::Key_M, C, false, cmd(11)},
      {Qt::Key_C, C, true, cmd(13)},
      {Qt::Key_C, C, false, nothing},
      {Qt::Key_F, C, true, cmd(110)},
      {Qt::Key_F12, none, true, cmd(998)},
      {Qt::Key_F12, C | A | S, true, cmd(998)},
      {Qt::Key_Space, none, true, uptime},
      {Qt::Key_Return, A, true, uptime},
      {Qt::Key_Enter, Qt::KeypadModifier, true, uptime},
      {Qt::Key_S, C | S, true, nothing},
      {Qt::Key_A, C | A, true, nothing},
      {Qt::Key_F4, A | S, true, nothing},
      {Qt::Key_S, none, true, nothing},
      {Qt::Key_S, C | Qt::KeypadModifier, true, cmd(100)},  // keypad is no modifier of the table
  };
  for (const auto& c : cases) {
    const KeyCommand got = LookUpKey(c.key, c.mods, c.copyEnabled);
    EXPECT_TRUE(got == c.expected) << "key " << c.key << " mods " << c.mods.toInt() << " gave "
                                   << got.kind << "/" << got.index;
  }
  EXPECT_EQ(ShiftMask(S | C | A | Qt::MetaModifier), 7);
}

// The uptime text itself is UptimeText's (platform tests); here the keys and the 64-bit source.
TEST(ClockCommands, KeyDownClearsMsgActiveFirstThenActs) {
  constexpr std::int64_t kHour = 3'600'000;
  const struct {
    int key;
    Qt::KeyboardModifiers mods;
    std::int64_t uptime;
    bool handled;
    QString calls;
  } cases[] = {
      {Qt::Key_A, Qt::ControlModifier, 0, true, "SetTopMost(1)|ShowMsg(A.O.T : True,0)"},
      {Qt::Key_C, Qt::ControlModifier, 0, false, ""},  // copy item disabled
      {Qt::Key_Q, {}, 0, false, ""},
      {Qt::Key_Space, Qt::ShiftModifier, 5 * kHour + 7 * 60'000 + 9'000, true,
       "ShowMsg([Win] 05h07m09s,0)"},
      // past the old counter's 49.7-day wrap
      {Qt::Key_Return, {}, 50LL * 24 * kHour + 1'000, true, "ShowMsg([Win] 1200h00m01s,0)"},
  };
  for (const auto& c : cases) {
    Fixture f(c.uptime);
    f.commands.menu().setMemoItemsEnabled(false);
    EXPECT_EQ(f.commands.Form_KeyDown(c.key, c.mods), c.handled);
    EXPECT_EQ(f.window.calls.join('|'),
              c.calls.isEmpty() ? "MsgActive=0" : "MsgActive=0|" + c.calls);
  }
}

TEST(ClockCommands, TrayIconMessages) {
  const struct {
    QSystemTrayIcon::ActivationReason reason;
    bool statusNotifier;
    int message;
  } reasons[] = {
      {QSystemTrayIcon::Trigger, false, 514},
      {QSystemTrayIcon::DoubleClick, false, 515},
      {QSystemTrayIcon::Context, false, 516},
      {QSystemTrayIcon::MiddleClick, false, 519},
      {QSystemTrayIcon::Unknown, false, 512},
      // A StatusNotifierItem host's one click (Activate) is the icon's activation.
      {QSystemTrayIcon::Trigger, true, 515},
      {QSystemTrayIcon::Context, true, 516},
      {QSystemTrayIcon::MiddleClick, true, 519},
  };
  for (const auto& r : reasons)
    EXPECT_EQ(TrayMessageFor(r.reason, r.statusNotifier), r.message) << r.reason;

  // Only the double click (515) and the right button (516) do anything.
  for (int X : {0, 512, 513, 514, 515, 516, 517, 519}) {
    SCOPED_TRACE(X);
    Fixture f;
    f.commands.menu().setChecked(998, true);
    f.commands.Form_MouseMove(0, 0, X, 0);
    EXPECT_EQ(f.window.calls.join('|'), X == 515   ? "show"
                                        : X == 516 ? "front|events|popUp(mnuPopup)"
                                                   : "");
    EXPECT_EQ(f.commands.menu().checked(998), X != 515);
  }

  // Qt's double-click: a click first, which must change nothing; never hidden still shows.
  Fixture f;
  f.commands.trayActivated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(f.window.calls.isEmpty());
  f.commands.trayActivated(QSystemTrayIcon::DoubleClick);
  EXPECT_EQ(f.window.calls.join('|'), "show");
  EXPECT_FALSE(f.commands.menu().checked(998));

  // The notification area going away brings back a hidden clock only.
  for (const bool hidden : {true, false}) {
    Fixture g;
    g.commands.menu().setChecked(998, hidden);
    g.commands.trayAreaGone();
    EXPECT_EQ(g.window.calls.join('|'), hidden ? "show" : "");
    EXPECT_FALSE(g.commands.menu().checked(998));
  }
}

TEST(ClockCommands, FaceToolTip) {
  const DateFormatLocale names = DateFormatLocale::system();
  EXPECT_EQ(FaceToolTip(QDateTime(QDate(2027, 1, 4), QTime(0, 0))),
            "(KWEMO) 1/4 " + names.shortDays[1] + " 0:00");
  Fixture f;
  QWidget picPrev;
  f.commands.picPrev_MouseMove(picPrev);
  EXPECT_EQ(picPrev.toolTip(), "(KWEMO) 12/5 " + names.shortDays[6] + " 13:05");
}

}  // namespace
}  // namespace kwemo
