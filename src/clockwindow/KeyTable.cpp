#include "clockwindow/KeyTable.h"

#include "clockwindow/ClockMenuRegistry.h"

namespace kwemo {

namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

bool keyMatches(const ClockMenuEntry& entry, int key, int shift) {
  if (!entry.key || entry.key != key) return false;
  switch (entry.modifiers) {
    case ClockMenuEntry::CtrlAlone:
      return shift == kCtrl;
    case ClockMenuEntry::AltAlone:
      return shift == kAlt;
    case ClockMenuEntry::AnyModifiers:
      return true;
  }
  return false;
}

}  // namespace

int ShiftMask(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? kShift : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? kCtrl : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? kAlt : 0);
}

KeyCommand LookUpKey(int key, Qt::KeyboardModifiers modifiers, bool memoItemsEnabled) {
  const int shift = ShiftMask(modifiers);
  for (const ClockMenuEntry& entry : ClockMenuEntries()) {
    if (!keyMatches(entry, key, shift)) continue;
    if (entry.needsMemo && !memoItemsEnabled) return {};
    return {KeyCommand::MenuCommand, entry.index};
  }
  if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
    return {KeyCommand::Uptime, 0};
  }
  return {};
}

}  // namespace kwemo
