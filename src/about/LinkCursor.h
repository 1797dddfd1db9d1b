#pragma once

#include <QCursor>
#include <QPoint>

namespace kwemo {

// The pointing hand shown over the about box's links: 32 x 32, drawn here rather than taken
// from the desktop theme so that it looks the same everywhere.
inline constexpr QPoint kLinkCursorHotSpot{12, 1};

QCursor linkCursor();

}  // namespace kwemo
