#pragma once

#include <Qt>

namespace kwemo {

// The old key handler's modifier mask: 1 Shift, 2 Ctrl, 4 Alt (other modifiers are not counted).
int ShiftMask(Qt::KeyboardModifiers modifiers);

// What a key pressed on the clock window does.
struct KeyCommand {
  enum Kind { None, MenuCommand, Uptime };
  Kind kind = None;
  int index = 0;  // the menu item's command code, for MenuCommand

  bool operator==(const KeyCommand&) const = default;
};

// The clock window's key table: the menu commands' keys from the menu registry (Ctrl+S settings,
// Ctrl+A always on top, Alt+F4 end, Ctrl+M memo, Ctrl+C copy memo, Ctrl+F elliptic form, F12 hide
// or show whatever modifiers are held), then Space or Enter the uptime, with any modifiers. Ctrl
// and Alt count only alone: Ctrl+Shift+S or Ctrl+Alt+A do nothing. The memo items' keys (Ctrl+C)
// do nothing while those items are disabled.
KeyCommand LookUpKey(int key, Qt::KeyboardModifiers modifiers, bool memoItemsEnabled);

}  // namespace kwemo
