#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <vector>

#include "clockwindow/ClockMenuRegistry.h"

class QAction;

namespace kwemo {

// The clock window's menu items `mPI(index)`, one action per line of the menu registry, separators
// and the draw-mode submenu's item included. They exist from the window's start, since the check
// marks of "Always On Top(&A)", "円形フォーム(&F)" and "タスクトレイに隠す(&T)" are the run-time
// record of the window's stacking, outline and hidden state; the popup menu arranges them.
class ClockMenuItems : public QObject, public ClockMenuCodes {
  Q_OBJECT

 public:
  explicit ClockMenuItems(QObject* parent = nullptr);

  // The item with that command code, or nullptr.
  QAction* mPI(int index) const;
  // Every item code in menu order.
  std::vector<int> indices() const;

  bool checked(int index) const;
  void setChecked(int index, bool checked);
  bool enabled(int index) const;
  // The items that act on a stored memo (clear and copy).
  void setMemoItemsEnabled(bool enabled);

  // The item's caption without its shortcut label, and the label alone.
  static QString caption(const QAction& item);
  static QString shortcutLabel(const QAction& item);

 private:
  std::map<int, QAction*> items_;
};

}  // namespace kwemo
