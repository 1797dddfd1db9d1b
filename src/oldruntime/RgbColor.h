#pragma once

#include <QColor>

#include "oldruntime/Rgb.h"

namespace kwemo {

// A 0x00BBGGRR value as Qt's colour, for the code that paints (this header needs Qt GUI).
inline QColor toQColor(Rgb color) { return QColor(redOf(color), greenOf(color), blueOf(color)); }

}  // namespace kwemo
