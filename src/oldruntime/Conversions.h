#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace kwemo {

// The number and boolean conversions of the old runtime, as the settings store and the dialogs
// need them. Every conversion that can fail returns std::nullopt, so that the caller keeps the
// value it had. Numeric text is exactly: optional sign, decimal digits with an optional fraction
// (at least one digit in all), optional exponent (e/E, optional sign, digits). Only '.' is a
// decimal point; no blanks inside, no grouping, hex, currency or parentheses. Blanks around the
// number (space, tab, ideographic space) are ignored, as the old runtime ignored them.

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double roundHalfEven(double value);
// roundHalfEven, then range-checked to 16 bits; nullopt outside -32768..32767 or for NaN.
std::optional<std::int16_t> toInt16(double value);

std::optional<double> CDbl(QStringView text);
std::optional<float> CSng(QStringView text);
std::optional<std::int16_t> CInt(QStringView text);
// "True"/"False" in any capitalisation, or numeric text (0 false, anything else true).
std::optional<bool> CBool(QStringView text);

// The longest leading numeric part of the text, 0 when there is none; never fails. Blanks
// (space, tab, CR, LF, ideographic space) are skipped anywhere inside, as the old runtime did.
double Val(QStringView text);

// Plain decimal integer text without a leading blank: 13, -1.
QString IntText(long long value);
// Shortest text with up to seven significant digits: 70, 62.5, 0.1, 1E+07, 1.234568E+07, 0.00001.
QString SingleText(float value);
// "True" / "False".
QString BoolText(bool value);

}  // namespace kwemo
