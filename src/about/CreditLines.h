#pragma once

#include <QString>
#include <array>

#include "oldruntime/Rgb.h"

namespace kwemo {

// The roll's text: lines 1 to 39 (index 0 unused). The first character of a line is its style
// digit, the rest is what the roll shows; empty lines are skipped but keep their place.
inline constexpr int kCreditLineCount = 39;
using CreditTable = std::array<QString, kCreditLineCount + 1>;

CreditTable makeCreditLines(const QString& productName, const QString& versionText);

// The colour a line prints in. The leader is read as a number, so anything that is not a digit
// counts as 0; 6 to 9 have no colour of their own and keep the one in force.
Rgb creditLineColor(const QString& line, Rgb colourInForce);

// Maker's addresses, shown as the link captions and opened as they read.
inline constexpr const char* kMakerName = "the KWEMO developers";
inline constexpr const char* kMakerWebPage = "https://kwemo.example.org/";
inline constexpr const char* kMakerMail = "kwemo@example.org";

}  // namespace kwemo
