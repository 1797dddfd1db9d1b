#pragma once

#include <QObject>
#include <QString>

namespace kwemo {

// Gives a window's control its historical name as object name; a member of a control array
// becomes "name(index)", the way every window's design spells it.
inline void nameControl(QObject* control, const char* name, int index = -1) {
  QString text = QString::fromLatin1(name);
  if (index >= 0) text += QStringLiteral("(%1)").arg(index);
  control->setObjectName(text);
}

}  // namespace kwemo
