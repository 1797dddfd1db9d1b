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

  explicit ClockTrayIcon(QObject* parent = nullptr);

  void add();
  void remove();
  bool isAdded() const;
  // Whether a notification area is there to show the icon now.
  static bool areaAvailable();
  // Whether the icon went to a StatusNotifierItem host rather than an XEmbed tray.
  bool speaksStatusNotifier() const { return statusNotifier_; }
  // Asks whether the notification area is still there (areaGone when it went). Qt tells nobody
  // but the icon when an XEmbed tray goes, so the clock asks once a second from its own tick (a
  // timer here would wake it once more each second); a StatusNotifierItem host's end comes from
  // D-Bus.
  void checkArea();

  // The icon itself, for the mouse events the popup menu handles.
  QSystemTrayIcon& icon() { return *icon_; }

 signals:
  // The notification area that held the icon went away (its panel ended or crashed).
  void areaGone();

 private:
  bool statusNotifier_;
  QSystemTrayIcon* icon_;
  bool areaSeen_ = false;
};

}  // namespace kwemo
