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
  for (int size : kBuiltInIconSizes) icon.addFile(iconPath(size), QSize(size, size));
  return icon;
}

QPixmap programIconPixmap() { return QPixmap(iconPath(32)); }

QIcon trayIcon() {
  // Every size up to four times the classic 16 px, so that a tray at any scale (22 px panels,
  // device pixel ratio 2) gets a drawn picture rather than a stretched one.
  QIcon icon;
  for (int size : kBuiltInIconSizes) icon.addFile(iconPath(size), QSize(size, size));
  return icon;
}

}  // namespace kwemo
