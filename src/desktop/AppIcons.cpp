#include "desktop/AppIcons.h"

#include <QString>

// Resources of a static library must be registered by name, outside any namespace.
static void initIconResources() { Q_INIT_RESOURCE(icons); }

namespace kwemo {

namespace {

QString iconPath(int size) {
  static const bool registered = (initIconResources(), true);
  (void)registered;
  return QStringLiteral(":/kwemo/kwemo-%1.png").arg(size);
}

}  // namespace

QIcon programIcon() {
  QIcon icon;
  icon.addFile(iconPath(32), QSize(32, 32));
  icon.addFile(iconPath(16), QSize(16, 16));
  return icon;
}

QPixmap programIconPixmap() { return QPixmap(iconPath(32)); }

QIcon trayIcon() {
  QIcon icon;
  icon.addFile(iconPath(16), QSize(16, 16));
  return icon;
}

}  // namespace kwemo
