#include <gtest/gtest.h>
#include <QKeySequence>

#include <set>
#include <utility>

#include "clockwindow/ClockMenuRegistry.h"
#include "clockwindow/KeyTable.h"

namespace kwemo {
namespace {

// A line added to the registry keeps the menu and the keys in step: codes and keys stay unique
// (the key handler's first match would otherwise hide one), and the label beside an item is a key
// that runs that very item.
TEST(ClockMenuRegistry, CodesAndKeysAreUniqueAndEveryShownKeyRunsItsItem) {
  std::set<int> codes;
  std::set<std::pair<int, int>> keys;
  int labels = 0;
  for (const ClockMenuEntry& e : ClockMenuEntries()) {
    SCOPED_TRACE(e.index);
    EXPECT_TRUE(codes.insert(e.index).second);
    EXPECT_EQ(FindClockMenuEntry(e.index), &e);
    if (e.key) {
      EXPECT_TRUE(keys.insert({e.key, e.modifiers}).second);
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
  EXPECT_EQ(FindClockMenuEntry(5), nullptr);
}

}  // namespace
}  // namespace kwemo
