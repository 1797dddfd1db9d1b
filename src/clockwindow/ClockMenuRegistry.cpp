#include "clockwindow/ClockMenuRegistry.h"

#include <QKeySequence>

#include <algorithm>
#include <array>

#include "clockwindow/Memo.h"

namespace kwemo {

namespace {

using C = ClockMenuCodes;
using E = ClockMenuEntry;

constexpr E item(int index, const char* caption, bool checkable = false, bool needsMemo = false) {
  return {index, E::Item, caption, checkable, needsMemo, 0, E::AnyModifiers, false};
}

constexpr E withKey(E entry, int key, E::Modifiers modifiers, bool shown = true) {
  entry.key = key;
  entry.modifiers = modifiers;
  entry.keyShown = shown;
  return entry;
}

constexpr E submenu(int index, const char* caption) {
  return {index, E::DrawModeSubmenu, caption, false, false, 0, E::AnyModifiers, false};
}

constexpr E separator(int index) {
  return {index, E::Separator, "", false, false, 0, E::AnyModifiers, false};
}

// No two lines share a key with its modifiers, so the order the key handler compares them in
// does not matter.
constexpr std::array kEntries{
    withKey(item(C::kAlwaysOnTop, "Always On Top(&A)", true), Qt::Key_A, E::CtrlAlone),
    separator(10),
    withKey(item(C::kMemoEdit, "メモの表示・編集(&M)"), Qt::Key_M, E::CtrlAlone),
    item(C::kMemoClear, "メモ消去(&E)", false, true),
    withKey(item(C::kMemoCopy, "メモをクリップボードにコピー(&C)", false, true), Qt::Key_C,
            E::CtrlAlone),
    separator(19),
    item(C::kClearClipboard, "クリップボード消去(&K)"),
    separator(99),
    withKey(item(C::kSetting, "Setting(&S)"), Qt::Key_S, E::CtrlAlone),
    submenu(C::kDrawModeMenu, "線画モード(&D)"),
    separator(109),
    withKey(item(C::kEllipticForm, "円形フォーム(&F)", true), Qt::Key_F, E::CtrlAlone),
    separator(997),
    withKey(item(C::kHideInTray, "タスクトレイに隠す(&T)", true), Qt::Key_F12, E::AnyModifiers),
    separator(999),
    item(C::kAbout, "About...(&V)"),
    withKey(item(C::kEnd, "End(&E)"), Qt::Key_F4, E::AltAlone, false),
};

const char* const kDrawModeCaptions[ClockMenuCodes::kDrawModes] = {
    "01 - Blackness(&1)",       "02 - Not Merge Pen(&2)", "03 - Mask Not Pen(&3)",
    "04 - Not Copy Pen(&4)",    "05 - Mask Pen Not(&5)",  "06 - Invert(&6)",
    "07 - Xor Pen(&7)",         "08 - Not Mask Pen(&8)",  "09 - Mask Pen(&9)",
    "10 - Not Xor Pen(&0)",     "11 - No operation(&A)",  "12 - Merge Not Pen(&B)",
    "13 - (標準) Copy Pen(&C)", "14 - Merge Pen Not(&D)", "15 - Merge Pen(&E)",
    "16 - White(&F)",
};

// QMenu draws the text after a tab right-aligned, in the place of a shortcut.
constexpr QChar kLabelSeparator = u'\t';

}  // namespace

std::span<const ClockMenuEntry> ClockMenuEntries() { return kEntries; }

const ClockMenuEntry* FindClockMenuEntry(int index) {
  const auto it = std::find_if(kEntries.begin(), kEntries.end(),
                               [index](const E& e) { return e.index == index; });
  return it == kEntries.end() ? nullptr : &*it;
}

QString MenuCaption(const ClockMenuEntry& entry) { return QString::fromUtf8(entry.caption); }

QString MenuShortcutLabel(const ClockMenuEntry& entry) {
  if (!entry.key || !entry.keyShown) return {};
  Qt::KeyboardModifiers held;
  if (entry.modifiers == E::CtrlAlone) held = Qt::ControlModifier;
  if (entry.modifiers == E::AltAlone) held = Qt::AltModifier;
  return QKeySequence(QKeyCombination(held, static_cast<Qt::Key>(entry.key)))
      .toString(QKeySequence::PortableText);
}

QString DrawModeCaption(int n) {
  if (n < 1 || n > ClockMenuCodes::kDrawModes) return {};
  return QString::fromUtf8(kDrawModeCaptions[n - 1]);
}

QString MemoItemCaption(const QString& title) {
  if (title.isEmpty()) return QStringLiteral("メモ作成(&M)");
  return MenuCaption(*FindClockMenuEntry(C::kMemoEdit)) + QStringLiteral(" - ") + ShortTitle(title);
}

QString MenuItemText(const QString& caption, const QString& label) {
  return label.isEmpty() ? caption : caption + kLabelSeparator + label;
}

QString MenuItemCaption(const QString& text) { return text.section(kLabelSeparator, 0, 0); }

QString MenuItemLabel(const QString& text) { return text.section(kLabelSeparator, 1); }

}  // namespace kwemo
