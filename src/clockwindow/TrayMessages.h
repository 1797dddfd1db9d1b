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

// The message for one of Qt's icon activations. On an XEmbed notification area Qt reports a
// double-click as a click (Trigger) followed by DoubleClick; the click maps onto the left button's
// release, which does nothing. A StatusNotifierItem host has no double-click: its one click
// (Activate, reported as Trigger) is the icon's activation and maps onto the double-click.
int TrayMessageFor(QSystemTrayIcon::ActivationReason reason, bool statusNotifierHost = false);

}  // namespace kwemo
