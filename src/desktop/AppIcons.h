#pragma once

#include <QIcon>
#include <QPixmap>

namespace kwemo {

// The program's own icons (drawn by tools/kwemo-icons, kept in resources/).
// The window icon: 32 x 32 with the 16 x 16 variant.
QIcon programIcon();
// The 32 x 32 picture on its own (the about box paints it).
QPixmap programIconPixmap();
// The 16 x 16 notification-area icon.
QIcon trayIcon();

}  // namespace kwemo
