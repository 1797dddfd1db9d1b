#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "oldruntime/DateFormat.h"

namespace kwemo {
namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

TEST(DateFormat, PatternCodes) {
  const QDateTime tue = at(2024, 3, 5, 14, 7, 9);  // Tuesday, day 65, week 10
  const QDateTime d1900 = at(1900, 1, 1, 12, 36);  // Monday
  const struct {
    QDateTime t;
    const char16_t *pattern, *expected;
    bool japanese = false;
  } cases[] = {
      // clang-format off
      {tue, u"d dd ddd dddd", u"5 05 Tue Tuesday"}, {tue, u"m mm mmm mmmm", u"3 03 Mar March"},
      {tue, u"y yy yyy yyyy", u"65 24 2465 2024"}, {d1900, u"yyy", u"001"},
      {tue, u"HH:NN:SS Q W WW", u"14:07:09 1 3 10"},
      // m and mm are minutes after an hour, only once, and not once a day code intervened.
      {tue, u"h:m", u"14:7"}, {tue, u"hh:mm mm", u"14:07 03"},
      {d1900, u"hh:dd :mm:mm", u"12:01 :01:01"}, {d1900, u"hh mmm mm", u"12 Jan 36"},
      // AM/PM forms switch the most recent hour before them to 12-hour form.
      {tue, u"h a/p", u"2 p"}, {tue, u"AM/PM h", u"PM 14"},
      {at(2024, 3, 5, 0, 5), u"hh:nn AM/PM", u"12:05 AM"},
      // Composite codes and named formats.
      {tue, u"", u"3/5/2024 2:07:09 PM"}, {at(2023, 12, 31, 0, 0, 0, 500), u"c", u"12/31/2023"},
      {at(1899, 12, 30, 14, 7, 9), u"C", u"2:07:09 PM"}, {tue, u"medium date", u"05-Mar-24"},
      // Literals; seconds are cut, not rounded.
      {tue, u"\\h\\h\\:\\d", u"hh:d"}, {tue, u"d\\", u"5"}, {tue, u"d \"ab;c", u"5 ab;c"},
      {tue, u"tttt d;h", u"tttt 5"}, {at(2024, 3, 5, 14, 7, 9, 600), u"\\😀ss", u"😀09"},
      // Names and designators come from the locale; the fixed AM/PM spellings do not.
      {tue, u"ddd dddd mmm", u"火 火曜日 3月", true}, {tue, u"h AMPM", u"2 午後", true},
      {tue, u"h AM/PM", u"2 PM", true},
      // Week, weekday and day of year around year ends.
      {at(2000, 12, 31), u"ww w y q yy", u"54 1 366 4 00"},
      {at(2024, 1, 1), u"ww w y q", u"1 2 1 1"},
      // clang-format on
  };
  const auto japanese = DateFormatLocale::fromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  for (const auto& c : cases) {
    const QString pattern = QString::fromUtf16(c.pattern);
    EXPECT_EQ(FormatDate(c.t, pattern, c.japanese ? japanese : DateFormatLocale::english()),
              QString::fromUtf16(c.expected))
        << pattern.toStdString() << " at " << c.t.toString(Qt::ISODate).toStdString();
  }
  EXPECT_EQ(FormatDate(QDateTime(), u"d"), QString());
  // Any pattern gives a result of bounded size; none crashes (the sanitizer build watches).
  const DateFormatLocale english = DateFormatLocale::english();
  EXPECT_EQ(FormatDate(tue, QString(100000, u'd'), english),
            QStringLiteral("Tuesday, March 5, 2024").repeated(16666) + QStringLiteral("Tuesday"));
  EXPECT_EQ(FormatDate(tue, QStringLiteral("\"") + QString(99999, u';'), english),
            QString(99999, u';'));
}

}  // namespace
}  // namespace kwemo
