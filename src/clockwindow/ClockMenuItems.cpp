#include "clockwindow/ClockMenuItems.h"

#include <QAction>

namespace kwemo {

ClockMenuItems::ClockMenuItems(QObject* parent) : QObject(parent) {
  for (const ClockMenuEntry& entry : ClockMenuEntries()) {
    auto* action = new QAction(this);
    action->setSeparator(entry.kind == ClockMenuEntry::Separator);
    action->setCheckable(entry.checkable);
    action->setData(entry.index);
    if (entry.kind != ClockMenuEntry::Separator)
      action->setText(MenuItemText(MenuCaption(entry), MenuShortcutLabel(entry)));
    items_[entry.index] = action;
  }
}

QAction* ClockMenuItems::mPI(int index) const {
  const auto it = items_.find(index);
  return it == items_.end() ? nullptr : it->second;
}

std::vector<int> ClockMenuItems::indices() const {
  std::vector<int> codes;
  for (const ClockMenuEntry& entry : ClockMenuEntries()) codes.push_back(entry.index);
  return codes;
}

bool ClockMenuItems::checked(int index) const {
  const QAction* action = mPI(index);
  return action && action->isChecked();
}

void ClockMenuItems::setChecked(int index, bool checked) {
  if (QAction* action = mPI(index)) action->setChecked(checked);
}

bool ClockMenuItems::enabled(int index) const {
  const QAction* action = mPI(index);
  return action && action->isEnabled();
}

void ClockMenuItems::setMemoItemsEnabled(bool enabled) {
  for (const ClockMenuEntry& entry : ClockMenuEntries())
    if (entry.needsMemo) mPI(entry.index)->setEnabled(enabled);
}

QString ClockMenuItems::caption(const QAction& item) { return MenuItemCaption(item.text()); }

QString ClockMenuItems::shortcutLabel(const QAction& item) { return MenuItemLabel(item.text()); }

}  // namespace kwemo
