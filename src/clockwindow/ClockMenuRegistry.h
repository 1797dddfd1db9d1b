#pragma once

#include <QString>
#include <Qt>

#include <span>

namespace kwemo {

// The clock menu's command codes: each item's index in `mPI(index)` and its action's data. The
// classes that hand out the items inherit the names, so ClockPopupMenu::kEnd and
// ClockMenuItems::kEnd are the same constant.
struct ClockMenuCodes {
  static constexpr int kAlwaysOnTop = 0;
  static constexpr int kMemoEdit = 11;
  static constexpr int kMemoClear = 12;
  static constexpr int kMemoCopy = 13;
  static constexpr int kClearClipboard = 20;
  static constexpr int kSetting = 100;
  static constexpr int kDrawModeMenu = 101;
  static constexpr int kEllipticForm = 110;
  static constexpr int kHideInTray = 998;
  static constexpr int kAbout = 32766;
  static constexpr int kEnd = 32767;
  static constexpr int kDrawModes = 16;
};

// One line of the clock menu. The items' actions, the popup menu's layout and the key table are
// all made from these lines, so a command is added or renamed here only.
struct ClockMenuEntry {
  enum Kind { Item, Separator, DrawModeSubmenu };
  // Which modifiers the key wants held: Ctrl alone, Alt alone, or anything (none included).
  enum Modifiers { CtrlAlone, AltAlone, AnyModifiers };

  int index;
  Kind kind;
  const char* caption;  // UTF-8, with its accelerator; empty for a separator
  bool checkable;
  bool needsMemo;  // enabled only while a memo is stored; its key is dead meanwhile
  int key;         // the Qt::Key that runs the command from the clock window, 0 for none
  Modifiers modifiers;
  bool keyShown;  // the key is written beside the caption (as a label: the key table does it)
};

// The lines in menu order.
std::span<const ClockMenuEntry> ClockMenuEntries();
// The line with that code, or nullptr.
const ClockMenuEntry* FindClockMenuEntry(int index);

QString MenuCaption(const ClockMenuEntry& entry);
// The shown key, e.g. "Ctrl+A"; empty when none is shown.
QString MenuShortcutLabel(const ClockMenuEntry& entry);

// The caption of draw-mode item n (1-16), e.g. "01 - Blackness(&1)"; empty outside.
QString DrawModeCaption(int n);
// The memo item's caption for a stored title (cut to its short form).
QString MemoItemCaption(const QString& title);

// An item's text holds its caption and, after a tab, the label QMenu draws where a shortcut goes.
QString MenuItemText(const QString& caption, const QString& label);
QString MenuItemCaption(const QString& text);
QString MenuItemLabel(const QString& text);

}  // namespace kwemo
