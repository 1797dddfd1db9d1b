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
  StyleSetValues v{.cmbBold = {2, 3, 4, 0},
                   .txtLong = {"62", "80", "95"},
                   .vscLong = {38, 20, 5},
                   .txtForm = {"200", "150"},
                   .chkDC = 0,
                   .txtAlign = "72.5",
                   .vscAlign = 28,  // 27.5 to even
                   .txtDF = "yyyy/mm/dd",
                   .cmbFonts = "IPAPGothic",
                   .txtFS = "12",
                   .vscFS = 124,
                   .chkFont = {1, 0},
                   .cmbDrawMode = 6,
                   .chkMemori = 1,
                   .chkSV = 1};
  std::int16_t n = 0;  // 10,20,30 up to 160,170,180
  for (ColorTriplet& c : v.EditColors)
    for (std::int16_t* part : {&c.red, &c.green, &c.blue}) *part = n += 10;
  return v;
}

}  // namespace kwemo
