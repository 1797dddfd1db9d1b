#pragma once

#include <QIcon>
#include <QPixmap>

namespace kwemo {

// The program's own icons (drawn by tools/kwemo-icons, kept in resources/).
// The sizes built into the program; the larger ones are installed for launchers only.
inline constexpr int kBuiltInIconSizes[] = {16, 22, 24, 32, 48, 64};
// The window icon, in every size above.
QIcon programIcon();
// The 32 x 32 picture on its own (the about box paints it).
QPixmap programIconPixmap();
// The notification-area icon, 16 x 16 at scale 1, in every size above.
QIcon trayIcon();

}  // namespace kwemo
