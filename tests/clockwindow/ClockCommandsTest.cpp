// The clock's commands against a window that writes down what it is asked to do. The icon's
// clicks and the notification area going away are checked end to end (tests/e2e/test_keys_tray.sh
// and test_status_notifier.sh).
#include <gtest/gtest.h>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>

#include <set>
#include <utility>

#include "MenuTestSupport.h"
#include "clock/ClockSettings.h"
#include "clockwindow/ClockCommands.h"
#include "clockwindow/ClockMenuRegistry.h"
#include "clockwindow/FaceToolTip.h"
#include "clockwindow/KeyTable.h"
#include "oldruntime/DateFormat.h"

namespace kwemo {
namespace {

using M = ClockPopupMenu;

// Past the old 32-bit counter's 49.7-day wrap.
constexpr std::int64_t kUptime = 50LL * 24 * 3'600'000 + 1'000;

struct Fixture {
  menutest::FakeClockWindow window;
  ClockSettings settings;
  MemorySettingsStore store;
  ClockCommands commands{window, settings, store, {}, {[] { return kUptime; }, {}}};
  QString calls() const { return window.calls.join('|'); }
};

// A line added to the registry keeps the menu and the keys in step: keys stay unique (the key
// handler's first match would otherwise hide one), and the label beside an item is a key that runs
// that very item.
TEST(ClockMenuRegistry, KeysAreUniqueAndEveryShownKeyRunsItsItem) {
  std::set<std::pair<int, int>> keys;
  int labels = 0;
  for (const ClockMenuEntry& e : ClockMenuEntries()) {
    if (e.key) {
      EXPECT_TRUE(keys.insert({e.key, e.modifiers}).second) << e.index;
    }
    const QString label = MenuShortcutLabel(e);
    if (label.isEmpty()) continue;
    ++labels;
    const QKeySequence shown = QKeySequence::fromString(label, QKeySequence::PortableText);
    ASSERT_EQ(shown.count(), 1) << label.toStdString();
    const KeyCommand got = LookUpKey(shown[0].key(), shown[0].keyboardModifiers(), true);
    EXPECT_TRUE((got == KeyCommand{KeyCommand::MenuCommand, e.index})) << label.toStdString();
  }
  EXPECT_EQ(labels, 6);
}

TEST(ClockCommands, MenuCodes) {
  const struct {
    int index;
    bool ticked, tray;
    QString calls;
  } cases[] = {
      {M::kEllipticForm, true, true, "ChangeRgn(0,0,0)|ShowMsg(Normal Form.,0)"},
      {M::kHideInTray, false, false, ""},  // no notification area: never hide into nothing
      {M::kHideInTray, true, false, "show"},
      {M::kClearClipboard, false, true, "ShowMsg(Clipboard Cleared.,0)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    Fixture f;
    f.window.tray = c.tray;
    f.commands.menu().setChecked(c.index, c.ticked);
    QGuiApplication::clipboard()->setText("something");
    f.commands.mPI_Click(c.index);
    EXPECT_EQ(f.calls(), c.calls);
    EXPECT_EQ(f.commands.menu().checked(c.index), c.ticked && c.calls.isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text().isEmpty(), c.index == M::kClearClipboard);
  }

  // End again while the first is under way (a second close request): nothing more is said.
  Fixture f;
  f.commands.mPI_Click(M::kEnd);
  f.commands.mPI_Click(M::kEnd);
  EXPECT_EQ(f.calls(), "ShowMsg(C-ya! :-),300)|unload");

  // A click on a checkable item toggles it before the command sees it: the command decides.
  Fixture g;
  g.commands.menu().mPI(M::kEllipticForm)->trigger();
  g.commands.menu().mDM(4)->trigger();
  EXPECT_EQ(g.calls(), "ChangeRgn(1,0,0)|ShowMsg(Elliptic Form.,0)");
  EXPECT_TRUE(g.commands.menu().checked(M::kEllipticForm));
  EXPECT_EQ(g.settings.DrawMode, 4);
}

// Every key first ends a message under way, then the first matching line of the table acts.
TEST(ClockCommands, Keys) {
  const auto C = Qt::ControlModifier, A = Qt::AltModifier, S = Qt::ShiftModifier;
  const struct {
    int key;
    Qt::KeyboardModifiers mods;
    QString calls;  // empty: not a key of the table
  } cases[] = {
      {Qt::Key_C, C, ""},  // copy item disabled without a memo
      {Qt::Key_F12, C | A | S, "hide"},
      {Qt::Key_Enter, Qt::KeypadModifier, "ShowMsg([Win] 1200h00m01s,0)"},
      {Qt::Key_S, C | S, ""},
      {Qt::Key_F4, A | S, ""},
      {Qt::Key_S, C | Qt::KeypadModifier, "settings|ShowMsg(Setting Mode.,0)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    Fixture f;
    f.commands.menu().setMemoItemsEnabled(false);
    EXPECT_EQ(f.commands.Form_KeyDown(c.key, c.mods), !c.calls.isEmpty());
    EXPECT_EQ(f.calls(), c.calls.isEmpty() ? "MsgActive=0" : "MsgActive=0|" + c.calls);
  }
}

TEST(ClockCommands, FaceToolTip) {
  EXPECT_EQ(FaceToolTip(QDateTime(QDate(2027, 1, 4), QTime(0, 0))),
            "(KWEMO) 1/4 " + DateFormatLocale::system().shortDays[1] + " 0:00");
}

}  // namespace
}  // namespace kwemo
