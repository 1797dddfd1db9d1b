#include "clockwindow/FaceToolTip.h"

#include "oldruntime/DateFormat.h"

namespace kwemo {

QString FaceToolTip(const QDateTime& now) {
  return QStringLiteral("(KWEMO) ") + FormatDate(now, u"m/d ddd h:nn");
}

}  // namespace kwemo
