#pragma once

#include <QObject>

class QSystemTrayIcon;

namespace kwemo {

// The clock's icon in the notification area: our clock at the size the area asks for, with the
// tip "KWEMO". It is registered once at start-up and removed at shut-down, and stays whether the
// clock is shown or hidden. Where no notification area runs yet, the icon appears when one
// starts. Qt puts it in an XEmbed tray, or registers it with a StatusNotifierItem host over D-Bus
// where one runs (Plasma, GNOME with AppIndicator, XFCE): the two report clicks differently.
class ClockTrayIcon : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kTip = "KWEMO";
  // How often an XEmbed tray's presence is checked.
  static constexpr int kAreaPollMs = 1000;

  explicit ClockTrayIcon(QObject* parent = nullptr);

  void add();
  void remove();
  bool isAdded() const;
  // Whether a notification area is there to show the icon now.
  static bool areaAvailable();
  // Whether the icon went to a StatusNotifierItem host rather than an XEmbed tray.
  bool speaksStatusNotifier() const { return statusNotifier_; }

  // The icon itself, for the mouse events the popup menu handles.
  QSystemTrayIcon& icon() { return *icon_; }

 signals:
  // The notification area that held the icon went away (its panel ended or crashed).
  void areaGone();

 private:
  void checkArea();

  bool statusNotifier_;
  QSystemTrayIcon* icon_;
  bool areaSeen_ = false;
};

}  // namespace kwemo
