#include "desktop/ShowActivated.h"

#include <QWidget>

namespace kwemo {

void ShowActivated(QWidget& window) {
  if (window.windowState() & Qt::WindowMinimized)
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace kwemo
