#include "clockwindow/KeyTable.h"

#include "clockwindow/ClockPopupMenu.h"

namespace kwemo {

namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

KeyCommand menu(int index) { return {KeyCommand::MenuCommand, index}; }

}  // namespace

int ShiftMask(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? kShift : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? kCtrl : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? kAlt : 0);
}

KeyCommand LookUpKey(int key, Qt::KeyboardModifiers modifiers, bool copyEnabled) {
  const int shift = ShiftMask(modifiers);
  const bool ctrl = shift == kCtrl;
  const bool alt = shift == kAlt;
  using M = ClockPopupMenu;
  if (ctrl && key == Qt::Key_S) return menu(M::kSetting);
  if (ctrl && key == Qt::Key_A) return menu(M::kAlwaysOnTop);
  if (alt && key == Qt::Key_F4) return menu(M::kEnd);
  if (ctrl && key == Qt::Key_M) return menu(M::kMemoEdit);
  if (ctrl && key == Qt::Key_C && copyEnabled) return menu(M::kMemoCopy);
  if (ctrl && key == Qt::Key_F) return menu(M::kEllipticForm);
  if (key == Qt::Key_F12) return menu(M::kHideInTray);
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    return {KeyCommand::Uptime, 0};
  }
  return {};
}

}  // namespace kwemo
