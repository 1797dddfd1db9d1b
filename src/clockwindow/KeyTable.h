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

// The clock window's key table, first match wins: Ctrl+S settings, Ctrl+A always on top, Alt+F4
// end, Ctrl+M memo, Ctrl+C copy memo (only while copyEnabled), Ctrl+F elliptic form; F12 hide or
// show and Space or Enter the uptime, whatever modifiers are held. Ctrl and Alt count only alone:
// Ctrl+Shift+S or Ctrl+Alt+A do nothing.
KeyCommand LookUpKey(int key, Qt::KeyboardModifiers modifiers, bool copyEnabled);

}  // namespace kwemo
