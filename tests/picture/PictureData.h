#pragma once

// The picture files under tests/picture/data, made once for these tests (see its README).
#include <QByteArray>
#include <QFile>

namespace kwemo {

inline QByteArray pictureData(const char* name) {
  QFile file(QStringLiteral(KWEMO_PICTURE_DATA "/") + QLatin1String(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace kwemo
