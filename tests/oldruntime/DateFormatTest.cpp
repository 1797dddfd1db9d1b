#include <gtest/gtest.h>

#include "QStringPrinter.h"
#include "oldruntime/DateFormat.h"

namespace kwemo {
namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

// A locale whose names differ from the English ones, so the tests see where each name comes from.
DateFormatLocale japaneseNames() {
  DateFormatLocale names;
  for (int i = 0; i < 12; ++i) {
    names.shortMonths[i] = QString::number(i + 1) + QStringLiteral("月");
    names.longMonths[i] = QString::number(i + 1) + QStringLiteral("月.");
  }
  const char16_t* days[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
  for (int i = 0; i < 7; ++i) {
    names.shortDays[i] = QString::fromUtf16(days[i]);
    names.longDays[i] = QString::fromUtf16(days[i]) + QStringLiteral("曜日");
  }
  names.am = QStringLiteral("午前");
  names.pm = QStringLiteral("午後");
  return names;
}

struct DateCase {
  QDateTime t;
  const char16_t* pattern;
  const char16_t* expected;
  bool japanese = false;
};

TEST(DateFormat, PatternCodes) {
  const QDateTime tue = at(2024, 3, 5, 14, 7, 9);  // Tuesday, day 65, week 10
  const QDateTime d1900 = at(1900, 1, 1, 12, 36);  // Monday
  // clang-format off
  const DateCase cases[] = {
      // Day, month, year, hour, minute, second codes; upper case works for every letter code.
      {tue, u"d dd ddd dddd", u"5 05 Tue Tuesday"}, {tue, u"m mm mmm mmmm", u"3 03 Mar March"},
      {tue, u"y yy yyy yyyy", u"65 24 2465 2024"}, {d1900, u"yyy", u"001"},
      {at(2024, 3, 5, 4, 5, 6), u"h:n:s hh:nn:ss", u"4:5:6 04:05:06"},
      {tue, u"HH:NN:SS Q W WW Y", u"14:07:09 1 3 10 65"},
      // m and mm are minutes after an hour, only once, and not once a day code intervened.
      {tue, u"h:m", u"14:7"}, {tue, u"hh:mm mm", u"14:07 03"}, {tue, u"mm:ss", u"03:09"},
      {d1900, u"dd:hh :mm:mm", u"01:12 :36:01"}, {d1900, u"hh:dd :mm:mm", u"12:01 :01:01"},
      {d1900, u"mm :ss:mm", u"01 :00:01"}, {d1900, u"hh mmm mm", u"12 Jan 36"},
      // AM/PM forms switch the most recent hour before them to 12-hour form.
      {tue, u"hh:nn AM/PM", u"02:07 PM"}, {tue, u"h A/p", u"2 P"}, {tue, u"h a/p", u"2 p"},
      {tue, u"hh h AM/PM", u"14 2 PM"}, {tue, u"AM/PM h", u"PM 14"},
      {at(2024, 3, 5, 0, 5), u"h:nn AM/PM", u"12:05 AM"},
      {at(2024, 3, 5, 12, 0), u"h:nn AM/PM", u"12:00 PM"},
      // Composite codes and named formats.
      {tue, u"", u"3/5/2024 2:07:09 PM"}, {at(2023, 12, 31, 0, 0, 0, 500), u"c", u"12/31/2023"},
      {at(1899, 12, 30, 14, 7, 9), u"C", u"2:07:09 PM"}, {tue, u"dddddd", u"Tuesday, March 5, 2024"},
      {d1900, u"Medium Time", u"12:36 PM"}, {tue, u"medium date", u"05-Mar-24"},
      // Literals; seconds are cut, not rounded.
      {tue, u"\\h\\h\\:\\d", u"hh:d"}, {tue, u"\\\\d", u"\\5"}, {tue, u"d\\", u"5"},
      {tue, u"\"hh\" h", u"hh 14"}, {tue, u"d \"ab;c", u"5 ab;c"}, {tue, u"tttt", u"tttt"},
      {tue, u"d;h", u"5"}, {tue, u"\\😀d", u"😀5"}, {at(2024, 3, 5, 14, 7, 9, 600), u"ss", u"09"},
      // Names and designators come from the locale; the fixed AM/PM spellings do not.
      {tue, u"ddd dddd mmm mmmm", u"火 火曜日 3月 3月.", true}, {tue, u"h AMPM", u"2 午後", true},
      {tue, u"h AM/PM", u"2 PM", true}, {tue, u"ttttt", u"2:07:09 午後", true},
      // Week, weekday, quarter and day of year around year ends.
      {at(2000, 1, 1), u"ww w y q", u"1 7 1 1"}, {at(2000, 12, 31), u"ww w y q yy", u"54 1 366 4 00"},
      {at(2023, 12, 31), u"ww w y q", u"53 1 365 4"}, {at(2024, 1, 1), u"ww w y q", u"1 2 1 1"},
      {at(2024, 4, 1), u"q", u"2"}};
  // clang-format on
  const DateFormatLocale english = DateFormatLocale::english();
  const DateFormatLocale japanese = japaneseNames();
  for (const DateCase& c : cases) {
    const QString pattern = QString::fromUtf16(c.pattern);
    EXPECT_EQ(FormatDate(c.t, pattern, c.japanese ? japanese : english),
              QString::fromUtf16(c.expected))
        << "pattern " << pattern.toStdString() << " at " << c.t.toString(Qt::ISODate).toStdString();
  }
}

TEST(DateFormat, LocaleNames) {
  const QDateTime tue = at(2024, 3, 5, 14, 7, 9);
  EXPECT_EQ(FormatDate(tue, u"dddd mmmm AMPM", DateFormatLocale::fromLocale(QLocale::c())),
            "Tuesday March PM");
  const auto ja = DateFormatLocale::fromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(FormatDate(tue, u"ddd mmmm", ja), QString::fromUtf16(u"火 3月"));
  EXPECT_EQ(FormatDate(QDateTime(), u"d"), QString());
}

// Any pattern gives a result of bounded size; none crashes (the sanitizer build watches).
TEST(DateFormat, LongPatterns) {
  const QDateTime tue = at(2024, 3, 5, 14, 7, 9);
  const DateFormatLocale english = DateFormatLocale::english();
  struct Long {
    QString pattern;
    QString expected;
  };
  const Long longCases[] = {
      {QStringLiteral("\\x").repeated(50000), QString(50000, u'x')},
      {QString(100000, u'd'),
       QStringLiteral("Tuesday, March 5, 2024").repeated(16666) + QStringLiteral("Tuesday")},
      {QStringLiteral("\"") + QString(99999, u';'), QString(99999, u';')},
  };
  for (const Long& c : longCases) EXPECT_EQ(FormatDate(tue, c.pattern, english), c.expected);
}

}  // namespace
}  // namespace kwemo
