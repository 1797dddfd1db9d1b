#pragma once

#include <QObject>

class QSystemTrayIcon;

namespace kwemo {

// The clock's icon in the notification area: our 16 x 16 clock with the tip "KWEMO". It is
// registered once at start-up and removed at shut-down, and stays whether the clock is shown or
// hidden. Where no notification area runs yet, the icon appears when one starts.
class ClockTrayIcon : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kTip = "KWEMO";

  explicit ClockTrayIcon(QObject* parent = nullptr);

  void add();
  void remove();
  bool isAdded() const;
  // Whether a notification area is there to show the icon now.
  static bool areaAvailable();

  // The icon itself, for the mouse events the popup menu handles.
  QSystemTrayIcon& icon() { return *icon_; }

 private:
  QSystemTrayIcon* icon_;
};

}  // namespace kwemo
