#include "about/CreditLines.h"

namespace kwemo {

CreditTable makeCreditLines(const QString& productName, const QString& versionText) {
  CreditTable lines;
  const QString maker = QString::fromLatin1(kMakerName);
  lines[1] = QStringLiteral("1...at first,");
  lines[2] = QStringLiteral("1thanks to you");
  lines[3] = QStringLiteral("1for using KWEMO...");
  lines[8] = QStringLiteral("0") + productName + QStringLiteral(" by ") + maker +
             QStringLiteral(" ") + versionText;
  lines[9] = QStringLiteral("0(C) 2026 ") + maker;
  lines[14] = QStringLiteral("2special thanks to...");
  lines[16] = QStringLiteral("4everyone who tried the early builds");
  lines[17] = QStringLiteral("3the translators");
  lines[18] = QStringLiteral("4the Qt developers");
  lines[19] = QStringLiteral("3the Debian maintainers");
  lines[20] = QStringLiteral("4the makers of the Liberation");
  lines[21] = QStringLiteral("3and IPA fonts");
  lines[22] = QStringLiteral("4the authors of libwmf and libemf2svg");
  lines[23] = QStringLiteral("3the GoogleTest and CMake teams");
  lines[24] = QStringLiteral("4the X.Org and openbox people");
  lines[25] = QStringLiteral("3everyone who reported a bug");
  lines[26] = QStringLiteral("4and all our families and friends");
  lines[28] = QStringLiteral("1...and");
  lines[29] = QStringLiteral("1Other KWEMO users...");
  lines[32] = QStringLiteral("0t h a n k s :-)");
  lines[37] = QStringLiteral("2KWEMO is free software and comes");
  lines[38] = QStringLiteral("2with no warranty of any kind.");
  return lines;
}

Rgb creditLineColor(const QString& line, Rgb colourInForce) {
  const QChar leader = line.isEmpty() ? QChar() : line.front();
  const int digit =
      leader >= QLatin1Char('0') && leader <= QLatin1Char('9') ? leader.unicode() - '0' : 0;
  switch (digit) {
    case 0:
      return RGB(0, 255, 255);
    case 1:
      return RGB(255, 255, 187);
    case 2:
      return RGB(187, 255, 187);
    case 3:
      return RGB(187, 187, 255);
    case 4:
      return RGB(255, 187, 187);
    case 5:
      return RGB(255, 0, 0);
    default:
      return colourInForce;
  }
}

}  // namespace kwemo
