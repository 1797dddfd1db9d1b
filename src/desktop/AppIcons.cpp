#include "desktop/AppIcons.h"

#include <QImageReader>
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

// Qt's own PNG reader, named: a reader left to guess (as QIcon::addFile and QPixmap(path) do)
// loads every image plugin on the system to ask each whether it knows the file.
QPixmap iconPixmap(int size) {
  QImageReader reader(iconPath(size), "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

QIcon builtInIcon() {
  QIcon icon;
  for (int size : kBuiltInIconSizes) icon.addPixmap(iconPixmap(size));
  return icon;
}

}  // namespace

QIcon programIcon() { return builtInIcon(); }

QPixmap programIconPixmap() { return iconPixmap(32); }

QIcon trayIcon() {
  // Every size up to four times the classic 16 px, so that a tray at any scale (22 px panels,
  // device pixel ratio 2) gets a drawn picture rather than a stretched one.
  return builtInIcon();
}

}  // namespace kwemo
