#include "clockwindow/ClockMenuItems.h"

#include <QAction>

namespace kwemo {

ClockMenuItems::ClockMenuItems(QObject* parent) : QObject(parent) {
  add(kAlwaysOnTop, QStringLiteral("Always On Top(&A)"), true);
  add(kEllipticForm, QStringLiteral("円形フォーム(&F)"), true);
  add(kHideInTray, QStringLiteral("タスクトレイに隠す(&T)"), true);
}

QAction* ClockMenuItems::mPI(int index) const {
  const auto it = items_.find(index);
  return it == items_.end() ? nullptr : it->second;
}

QAction* ClockMenuItems::add(int index, const QString& caption, bool checkable) {
  if (QAction* existing = mPI(index)) return existing;
  auto* action = new QAction(caption, this);
  action->setCheckable(checkable);
  action->setData(index);
  items_[index] = action;
  return action;
}

bool ClockMenuItems::checked(int index) const {
  const QAction* action = mPI(index);
  return action && action->isChecked();
}

void ClockMenuItems::setChecked(int index, bool checked) {
  if (QAction* action = mPI(index)) action->setChecked(checked);
}

}  // namespace kwemo
