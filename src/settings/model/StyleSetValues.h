#pragma once

#include <QString>
#include <array>

#include "settings/model/ColorTriplet.h"

namespace kwemo {

// The whole look a style set carries, held the way the settings dialog's controls hold it (list
// indexes, check values, the texts of the text boxes, the scroll bars' values). Members are named
// after the controls. Default values are the initial look, with bold and italic unchecked.
struct StyleSetValues {
  std::array<ColorTriplet, 6> EditColors{
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}, {0, 0, 0}, {0, 0, 0}}};
  std::array<int, 4> cmbBold{1, 1, 0, 0};  // list index = width - 1
  std::array<QString, 3> txtLong{QStringLiteral("60"), QStringLiteral("80"), QStringLiteral("95")};
  std::array<int, 3> vscLong{40, 20, 5};  // 100 - length
  std::array<QString, 2> txtForm{QStringLiteral("120"), QStringLiteral("120")};
  int chkDC = 1;
  QString txtAlign = QStringLiteral("70");
  int vscAlign = 30;  // 100 - position
  QString txtDF = QStringLiteral("m/d h:nn");
  QString cmbFonts = QStringLiteral("ＭＳ Ｐゴシック");
  QString txtFS = QStringLiteral("8");
  int vscFS = 128;                   // 136 - size
  std::array<int, 2> chkFont{0, 0};  // bold, italic
  int cmbDrawMode = 12;              // list index = mode - 1
  int chkMemori = 0;
  int chkSV = 0;
  int chkNhari = 0;

  bool operator==(const StyleSetValues&) const = default;
};

// The first entry of the list of style sets; picking it restores the initial look.
inline const QString kResetEntry = QStringLiteral("<初期状態に戻す>");

// The initial look, keeping bold and italic as they are.
inline void resetLook(StyleSetValues& v) {
  const auto font = v.chkFont;
  v = StyleSetValues{};
  v.chkFont = font;
}

}  // namespace kwemo
