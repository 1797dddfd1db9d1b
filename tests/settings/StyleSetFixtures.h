#pragma once

#include <ostream>

#include "settings/model/StyleSetValues.h"

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

// A look whose every value differs from the initial one, as reading it from a file gives it.
inline StyleSetValues customValues() {
  StyleSetValues v;
  v.EditColors = {{{10, 20, 30},
                   {40, 50, 60},
                   {70, 80, 90},
                   {100, 110, 120},
                   {130, 140, 150},
                   {160, 170, 180}}};
  v.cmbBold = {2, 3, 4, 0};
  v.txtLong = {"62", "80", "95"};
  v.vscLong = {38, 20, 5};
  v.txtForm = {"200", "150"};
  v.chkDC = 0;
  v.txtAlign = "72.5";
  v.vscAlign = 28;  // 27.5 to even
  v.txtDF = "yyyy/mm/dd";
  v.cmbFonts = "IPAPGothic";
  v.txtFS = "12";
  v.vscFS = 124;
  v.chkFont = {1, 0};
  v.cmbDrawMode = 6;
  v.chkMemori = 1;
  v.chkSV = 1;
  v.chkNhari = 0;
  return v;
}

}  // namespace kwemo
