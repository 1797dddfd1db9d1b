#include <gtest/gtest.h>

#include <limits>

#include "QStringPrinter.h"
#include "oldruntime/NumberFormat.h"
#include "oldruntime/Uptime.h"
#include "oldruntime/VersionText.h"

namespace kwemo {
namespace {

TEST(NumberFormat, Patterns) {
  const struct {
    double value;
    const char16_t *pattern, *expected;
  } cases[] = {
      // clang-format off
      // Halves round away from zero, on the 15-digit text.
      {-4.5, u"00", u"-05"}, {12345, u"0000", u"12345"}, {1, u"#00##00#0", u"00000001"},
      {0.0995, u"#.##", u".1"}, {23.675, u"00.00", u"23.68"}, {-0.1, u".#", u"-.1"},
      {99.96, u"0.0", u"100.0"}, {123456789012345678.0, u"0", u"123456789012346000"},
      // Grouping, percent, literals.
      {1234.5, u"#,##0.00", u"1,234.50"}, {0.5, u"0%", u"50%"}, {123, u"0-0", u"12-3"},
      {5, u"\"n=\"0", u"n=5"}, {5, u"0\"", u"5"}, {5, u"\\", u""},
      {5, u"\\[\\W\\i\\n\\] 00\\h", u"[Win] 05h"},
      // Sections: a negative value in its own section has no minus of its own.
      {0, u"\"pos\";\"neg\";\"zero\"", u"zero"}, {-0.001, u"0.00;(0.00);\\z", u"(0.00)"},
      {-3, u"0;;\\z", u"-3"}, {5, u"0\\;0", u"0;5"},
      // No pattern: the plain number text.
      {1.0 / 3, u"", u"0.333333333333333"}, {1e15, u"", u"1E+15"}, {1.5e-20, u"", u"1.5E-20"},
      // clang-format on
  };
  for (const auto& c : cases) {
    const QString pattern = QString::fromUtf16(c.pattern);
    EXPECT_EQ(FormatNumber(c.value, pattern), QString::fromUtf16(c.expected))
        << c.value << " with " << pattern.toStdString();
  }
  // Long patterns and extreme values give results of bounded size.
  EXPECT_EQ(FormatNumber(7, QString(100000, u'0')), QString(99999, u'0') + u'7');
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::max(), u"#,##0").size(), 309 + 102);
  EXPECT_FALSE(FormatNumber(std::numeric_limits<double>::quiet_NaN(), u"0").isEmpty());
}

TEST(UptimeText, HoursMinutesSecondsPastTheOld32BitWrap) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {5 * 3'600'000 + 7 * 60'000 + 9'999, "[Win] 05h07m09s"},
      {4'294'967'296, "[Win] 1193h02m47s"},  // 2^32 ms, where the old count wrapped
      {-5, "[Win] 00h00m00s"},
      {std::numeric_limits<std::int64_t>::max(), "[Win] 2562047788015h12m55s"}};
  for (const auto& [ms, text] : cases) EXPECT_EQ(UptimeText(ms), text) << ms;
  EXPECT_GT(systemUptimeMs(), 0);
  EXPECT_EQ(VersionText(10, 15, 12345), "ver 10.15.12345");
}

}  // namespace
}  // namespace kwemo
