#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "store/SettingsTable.h"

namespace kwemo {

// The settings file: UTF-8 text in INI style, "[Section]" lines followed by "key=value" lines.
// Texts are escaped so that any value comes back exactly (see README, "The settings file"):
// \\ backslash, \n LF, \r CR, \t tab, \s a space at either end, \xHH other control characters,
// \uXXXX lone surrogates and U+FFFD, and in names also \= \[ \] \; \#.
struct ParsedSettings {
  SettingsTable table;
  bool complete = true;  // false when some line could not be read (garbled, binary, truncated)
};

ParsedSettings parseSettingsFile(QByteArrayView bytes);
QByteArray formatSettingsFile(const SettingsTable& table);

}  // namespace kwemo
