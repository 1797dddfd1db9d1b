#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

namespace kwemo {

// Where a window ends after a drag from the message strip: pulled back inside the screen's
// available area, right and bottom edges first, so that a window larger than the area ends at
// its left or top edge.
QPoint pullBackOntoScreen(const QRect& window, const QRect& screen);

// A window that lies entirely outside every screen (its monitor was removed) comes back onto the
// nearest one, pulled inside it; a window that touches any screen stays where it is.
QPoint bringOntoScreens(const QRect& window, const QList<QRect>& screens);

// The outer geometry in pixels for a position and size stored in twips. The window never gets
// smaller than `minimum` (a stored size of 0 would leave nothing to see or to grab).
QRect geometryFromTwips(double left, double top, double width, double height, double twipsPerPixelX,
                        double twipsPerPixelY, const QSize& minimum);

}  // namespace kwemo
