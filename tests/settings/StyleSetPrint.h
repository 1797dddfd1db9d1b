#pragma once

#include <ostream>

#include "settings/StyleSetValues.h"

namespace kwemo {

// Readable failure messages for the style-set tests.
inline void PrintTo(const StyleSetValues& v, std::ostream* os) {
  QStringList parts;
  for (const auto& c : v.EditColors)
    parts << QStringLiteral("%1,%2,%3").arg(c.red).arg(c.green).arg(c.blue);
  for (int i : v.cmbBold) parts << QString::number(i);
  for (const auto& t : v.txtLong) parts << t;
  for (int i : v.vscLong) parts << QString::number(i);
  parts << v.txtForm[0] << v.txtForm[1] << QString::number(v.chkDC) << v.txtAlign
        << QString::number(v.vscAlign) << v.txtDF << v.cmbFonts << v.txtFS
        << QString::number(v.vscFS) << QString::number(v.chkFont[0])
        << QString::number(v.chkFont[1]) << QString::number(v.cmbDrawMode)
        << QString::number(v.chkMemori) << QString::number(v.chkSV) << QString::number(v.chkNhari);
  *os << '[' << parts.join(QStringLiteral(" | ")).toStdString() << ']';
}

}  // namespace kwemo
