#pragma once

#include <QDateTime>
#include <QString>

namespace kwemo {

// The face's tooltip: "(KWEMO) " and the time as "m/d ddd h:nn" (weekday in the user's
// language), e.g. "(KWEMO) 12/5 Sat 13:05".
QString FaceToolTip(const QDateTime& now);

}  // namespace kwemo
