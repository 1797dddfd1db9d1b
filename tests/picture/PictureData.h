#pragma once

// The picture files under tests/picture/data, made once for these tests (see its README).
#include "FileBytes.h"

namespace kwemo {

inline QByteArray pictureData(const char* name) {
  return test::readAll(QStringLiteral(KWEMO_PICTURE_DATA "/") + QLatin1String(name));
}

}  // namespace kwemo
