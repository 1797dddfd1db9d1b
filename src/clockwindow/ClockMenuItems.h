#pragma once

#include <QObject>
#include <QString>

#include <map>

class QAction;

namespace kwemo {

// The clock window's menu items, indexed by their command codes (`mPI(index)`). The check marks
// of "Always On Top(&A)", "円形フォーム(&F)" and "タスクトレイに隠す(&T)" are the run-time record
// of the window's stacking, outline and hidden state, so these three exist from the start; the
// popup menu adds its other items here and arranges them.
class ClockMenuItems : public QObject {
  Q_OBJECT

 public:
  static constexpr int kAlwaysOnTop = 0;
  static constexpr int kEllipticForm = 110;
  static constexpr int kHideInTray = 998;

  explicit ClockMenuItems(QObject* parent = nullptr);

  // The item with that command code, or nullptr.
  QAction* mPI(int index) const;
  // Creates (or returns) the item with that command code; its data is the code.
  QAction* add(int index, const QString& caption, bool checkable = false);

  bool checked(int index) const;
  void setChecked(int index, bool checked);

  const std::map<int, QAction*>& items() const { return items_; }

 private:
  std::map<int, QAction*> items_;
};

}  // namespace kwemo
