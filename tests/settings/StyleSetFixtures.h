#pragma once

#include <ostream>

#include "settings/StyleSetFile.h"
#include "settings/model/StyleSetValues.h"

namespace kwemo {

// Readable failure messages for the style-set tests: the file the values make, and the bars.
inline void PrintTo(const StyleSetValues& v, std::ostream* os) {
  *os << writeStyleSetFile(v).replace("\r\n", "|").toStdString() << " bars " << v.vscLong[0] << ','
      << v.vscLong[1] << ',' << v.vscLong[2] << ',' << v.vscAlign << ',' << v.vscFS;
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
