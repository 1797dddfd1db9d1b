#pragma once

#include <QSystemTrayIcon>

namespace kwemo {

// The mouse messages through which the notification-area icon's events reach the clock window.
enum TrayMessage : int {
  kTrayMouseMove = 512,
  kTrayLeftDown = 513,
  kTrayLeftUp = 514,
  kTrayLeftDoubleClick = 515,
  kTrayRightDown = 516,
  kTrayRightUp = 517,
  kTrayMiddleDown = 519,
};

// The message for one of Qt's icon activations. Qt reports a double-click as a click (Trigger)
// followed by DoubleClick; the click maps onto the left button's release, which does nothing.
int TrayMessageFor(QSystemTrayIcon::ActivationReason reason);

}  // namespace kwemo
