#pragma once

#include <QString>
#include <QStringView>

namespace kwemo {

// Formats value with the old runtime's user-defined number pattern:
// - up to three ';'-separated sections: positive (and zero); negative; zero. A negative value
//   formatted by its own section gets no minus sign of its own; an empty section falls back to
//   the first. The section is chosen before rounding.
// - '0' prints a digit or 0, '#' a digit or nothing, the first '.' is the decimal point. The
//   value is taken to 15 significant digits and rounded half away from zero to the number of
//   fraction placeholders; '#' fraction places show only non-zero digits. The integer part gets
//   at least as many digits as there are placeholders from the leftmost '0' on, and digits
//   beyond the placeholders all print at the first one.
// - ',' after a placeholder groups the integer digits by three; '%' multiplies by 100.
// - '\x' and "text" are literal, as is every other character (letters and the digits 1-9 too).
// An empty pattern gives the plain number text (15 significant digits, E form for very large
// or small values). Any pattern formats in time linear in its length.
QString FormatNumber(double value, QStringView pattern);

}  // namespace kwemo
