#include "clockwindow/TrayMessages.h"

namespace kwemo {

int TrayMessageFor(QSystemTrayIcon::ActivationReason reason, bool statusNotifierHost) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      return statusNotifierHost ? kTrayLeftDoubleClick : kTrayLeftUp;
    case QSystemTrayIcon::DoubleClick:
      return kTrayLeftDoubleClick;
    case QSystemTrayIcon::Context:
      return kTrayRightDown;
    case QSystemTrayIcon::MiddleClick:
      return kTrayMiddleDown;
    case QSystemTrayIcon::Unknown:
      break;
  }
  return kTrayMouseMove;
}

}  // namespace kwemo
