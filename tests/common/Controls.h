#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>
#include <string>

namespace kwemo::test {

// A window's control by its object name, its historical name ("cmdHari", 3 for "cmdHari(3)").
// A missing control fails the test that asked, naming it.
template <class T>
T& control(const QObject& window, const char* name, int index = -1) {
  QString full = QString::fromLatin1(name);
  if (index >= 0) full += QStringLiteral("(%1)").arg(index);
  if (T* found = window.findChild<T*>(full)) return *found;
  throw std::logic_error("no " + std::string(T::staticMetaObject.className()) + " named " +
                         full.toStdString());
}

}  // namespace kwemo::test
