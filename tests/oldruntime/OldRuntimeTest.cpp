// The old runtime's conversions, text forms and date and number patterns, odd cases included.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "QStringPrinter.h"
#include "oldruntime/Conversions.h"
#include "oldruntime/DateFormat.h"
#include "oldruntime/NumberFormat.h"
#include "oldruntime/Rounding.h"
#include "oldruntime/Uptime.h"

namespace kwemo {
namespace {

constexpr std::nullopt_t kFails = std::nullopt;
using Cases = std::initializer_list<std::pair<const char16_t*, std::optional<double>>>;

template <typename Convert>
void expectConversions(const char* name, Convert convert, Cases cases) {
  for (const auto& [text, want] : cases) {
    const auto got = convert(QStringView(text));
    EXPECT_EQ(got ? std::optional<double>(*got) : std::nullopt, want)
        << name << "(" << QString::fromUtf16(text).toStdString() << ")";
  }
}

// Halves to even, 16-bit overflow; blanks (space, tab, ideographic space) around a number are
// what a user leaves in a box, blanks inside it are not.
TEST(Conversions, RoundHalfToEvenAndFailWhereTheOldRuntimeFailed) {
  // clang-format off
  expectConversions("CInt", [](QStringView s) { return CInt(s); },
      {{u"2.5", 2}, {u"3.5", 4}, {u"-2.5", -2}, {u"-32768.5", -32768}, {u"32767.5", kFails},
       {u"1e400", kFails}, {u"", kFails}, {u"12abc", kFails}, {u"&H10", kFails}, {u"１２", kFails},
       {u" \t\u3000-2.5e1 ", -25}, {u"1 2", kFails}, {u"\n12", kFails}, {u"\u00a012", kFails}});
  expectConversions("CBool", [](QStringView s) { return CBool(s); },
      {{u"tRuE", 1}, {u"0.0", 0}, {u"0.1", 1}, {u"Yes", kFails}, {u" True", kFails}});
  expectConversions("CSng", [](QStringView s) { return CSng(s); },
      {{u"1e-50", 0}, {u"1e39", kFails}, {u"3,5", kFails}, {u"Infinity", kFails}});
  expectConversions("CDbl", [](QStringView s) { return CDbl(s); },
      {{u"1e39", 1e39}, {u"1e400", kFails}});
  expectConversions("Val", [](QStringView s) { return std::optional(Val(s)); },
      {{u"  -3.5abc", -3.5}, {u" 2 45 7", 2457}, {u"- 5", -5}, {u"1D3", 1000}, {u"12e-", 12},
       {u"$12", 0}});
  // clang-format on
  // Values that must not fail (pixel sizes, coordinates) saturate instead.
  EXPECT_EQ(toInt32Clamped(2147483647.5), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(toInt32Clamped(-HUGE_VAL), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(toInt32Clamped(std::nan("")), 0);
}

TEST(Conversions, TextFormsMatchTheOldRuntime) {
  // clang-format off
  const std::pair<float, const char*> cases[] = {{1e7f, "1E+07"}, {9999999, "9999999"},
      {1e-5f, "0.00001"}, {1e-7f, "1E-07"}, {1.0f / 3, "0.3333333"}, {-0.0f, "0"}};
  // clang-format on
  for (const auto& [value, text] : cases) EXPECT_EQ(SingleText(value).toStdString(), text) << value;
  // At the end of 64 bits, and before the start.
  EXPECT_EQ(UptimeText(INT64_MAX) + UptimeText(-5), "[Win] 2562047788015h12m55s[Win] 00h00m00s");
  EXPECT_GT(systemUptimeMs(), 0);
}

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

TEST(DateFormat, PatternCodes) {
  const QDateTime tue = at(2024, 3, 5, 14, 7, 9);  // Tuesday, day 65, week 10
  const QDateTime d1900 = at(1900, 1, 1, 12, 36);  // Monday
  const std::tuple<QDateTime, const char16_t*, const char16_t*> cases[] = {
      // clang-format off
      {tue, u"d dd ddd dddd", u"5 05 Tue Tuesday"}, {tue, u"m mm mmm mmmm", u"3 03 Mar March"},
      {tue, u"y yy yyy yyyy", u"65 24 2465 2024"}, {d1900, u"yyy", u"001"},
      {tue, u"HH:NN:SS Q W WW", u"14:07:09 1 3 10"},
      // m and mm are minutes after an hour, only once, and not once a day code intervened.
      {tue, u"h:m", u"14:7"}, {d1900, u"hh:dd :mm:mm", u"12:01 :01:01"},
      {d1900, u"hh mmm mm", u"12 Jan 36"},
      // AM/PM forms switch the most recent hour before them to 12-hour form.
      {tue, u"h a/p", u"2 p"}, {tue, u"AM/PM h", u"PM 14"},
      {at(2024, 3, 5, 0, 5), u"hh:nn AM/PM", u"12:05 AM"},
      // Composite codes and named formats.
      {tue, u"", u"3/5/2024 2:07:09 PM"}, {at(2023, 12, 31, 0, 0, 0, 500), u"c", u"12/31/2023"},
      {at(1899, 12, 30, 14, 7, 9), u"C", u"2:07:09 PM"}, {tue, u"medium date", u"05-Mar-24"},
      // Literals; seconds are cut, not rounded.
      {tue, u"\\h\\h\\:\\d", u"hh:d"}, {tue, u"d\\", u"5"}, {tue, u"d \"ab;c", u"5 ab;c"},
      {tue, u"tttt d;h", u"tttt 5"}, {at(2024, 3, 5, 14, 7, 9, 600), u"\\😀ss", u"😀09"},
      // Week, weekday and day of year around year ends.
      {at(2000, 12, 31), u"ww w y q yy", u"54 1 366 4 00"},
      {at(2024, 1, 1), u"ww w y", u"1 2 1"},
      // clang-format on
  };
  for (const auto& [t, pattern, expected] : cases)
    EXPECT_EQ(FormatDate(t, pattern, DateFormatLocale::english()), QString::fromUtf16(expected));
  // Names and designators come from the locale; the fixed AM/PM spellings do not.
  const auto japanese = DateFormatLocale::fromLocale(QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(FormatDate(tue, u"ddd dddd mmm h AMPM AM/PM", japanese), u"火 火曜日 3月 2 午後 PM");
  // Any pattern gives a result of bounded size; none crashes (the sanitizer build watches).
  EXPECT_EQ(FormatDate(tue, QString(100000, u'd'), DateFormatLocale::english()),
            QStringLiteral("Tuesday, March 5, 2024").repeated(16666) + QStringLiteral("Tuesday"));
}

TEST(NumberFormat, Patterns) {
  const std::tuple<double, const char16_t*, const char16_t*> cases[] = {
      // clang-format off
      // Halves round away from zero, on the 15-digit text.
      {-4.5, u"00", u"-05"}, {12345, u"0000", u"12345"}, {1, u"#00##00#0", u"00000001"},
      {0.0995, u"#.##", u".1"}, {23.675, u"00.00", u"23.68"}, {-0.1, u".#", u"-.1"},
      {123456789012345678.0, u"0", u"123456789012346000"},
      // Grouping, percent, literals.
      {1234.5, u"#,##0.00", u"1,234.50"}, {0.5, u"0%", u"50%"}, {123, u"0-0", u"12-3"},
      {5, u"\"n=\"0", u"n=5"}, {5, u"0\"", u"5"}, {5, u"\\", u""},
      // Sections: a negative value in its own section has no minus of its own.
      {0, u"\"pos\";\"neg\";\"zero\"", u"zero"}, {-0.001, u"0.00;(0.00);\\z", u"(0.00)"},
      {-3, u"0;;\\z", u"-3"}, {5, u"0\\;0", u"0;5"},
      // No pattern: the plain number text.
      {1.0 / 3, u"", u"0.333333333333333"}, {1e15, u"", u"1E+15"}, {1.5e-20, u"", u"1.5E-20"},
      // clang-format on
  };
  for (const auto& [value, pattern, expected] : cases)
    EXPECT_EQ(FormatNumber(value, pattern), QString::fromUtf16(expected)) << value;
}

}  // namespace
}  // namespace kwemo
