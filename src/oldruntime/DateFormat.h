#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <array>

namespace kwemo {

// The names a date pattern prints. Index 0 of the weekday arrays is Sunday, index 0 of the
// month arrays is January.
struct DateFormatLocale {
  std::array<QString, 12> shortMonths;
  std::array<QString, 12> longMonths;
  std::array<QString, 7> shortDays;
  std::array<QString, 7> longDays;
  QString am;
  QString pm;

  // English names with "AM"/"PM".
  static DateFormatLocale english();
  // The names of the given locale; the C/POSIX locale gives the English names.
  static DateFormatLocale fromLocale(const QLocale& locale);
  // The names of QLocale::system().
  static DateFormatLocale system();
};

// Formats t with the old runtime's user-defined date/time pattern codes (d dd ddd dddd ddddd
// dddddd, m mm mmm mmmm, y yy yyyy, h hh, n nn, s ss, w ww, q, c, ttttt, AM/PM am/pm A/P a/p
// AMPM, / :, \x, "text", and the named formats such as "long time"). The week starts on Sunday
// and week 1 is the one holding 1 January. Separators are always "/" and ":"; dates print as
// M/d/yyyy and times as h:mm:ss followed by the AM/PM designator. Fractions of a second are
// dropped. Any pattern is accepted and formatted in time linear in its length; only the first
// ';'-separated section is used. An invalid t gives an empty string.
QString FormatDate(const QDateTime& t, QStringView pattern, const DateFormatLocale& locale);

// As above with the names of the system locale.
QString FormatDate(const QDateTime& t, QStringView pattern);

}  // namespace kwemo
