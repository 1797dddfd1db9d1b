#pragma once

#include <QByteArray>
#include <QString>

#include "settings/model/StyleSetValues.h"

namespace kwemo {

// "Style.kws": the header line, then 26 lines in the old runtime's delimited form (integers,
// numbers, quoted strings), UTF-8, CR LF line ends.
inline const QString kStyleSetHeader = QStringLiteral("KWEMO StyleSet File");
// Larger files are not style sets; they are refused like a file with a foreign header.
constexpr qint64 kStyleSetMaxBytes = 64 * 1024;

QByteArray writeStyleSetFile(const StyleSetValues& values);

struct StyleSetRead {
  bool accepted = false;  // false: too large or not a style-set file; nothing was changed
  int failedFields = 0;   // fields that could not be read or that a control would refuse
};

// Reads the fields in file order into `values`. A field that cannot be read, or whose value the
// matching control would refuse, leaves its member as it was and is counted; the rest still load.
StyleSetRead readStyleSetFile(const QByteArray& bytes, StyleSetValues& values);

// UTF-8 (a leading byte-order mark is dropped); text that is not valid UTF-8 is taken as Shift-JIS
// (code page 932), as files written on Japanese systems are. Bytes valid in neither become U+FFFD.
QString decodeStyleSetText(const QByteArray& bytes);

}  // namespace kwemo
