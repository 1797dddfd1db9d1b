#include <gtest/gtest.h>

#include <limits>

#include "QStringPrinter.h"
#include "oldruntime/NumberFormat.h"

namespace kwemo {
namespace {

TEST(NumberFormat, Patterns) {
  struct Case {
    double value;
    const char16_t* pattern;
    const char16_t* expected;
  };
  // clang-format off
  const Case cases[] = {
      // The uptime and version pieces and their neighbours; halves round away from zero.
      {5, u"\\[\\W\\i\\n\\] 00\\h", u"[Win] 05h"},
      {7, u"00\\m", u"07m"}, {5.5, u"00", u"06"}, {4.5, u"00", u"05"},
      {-4.5, u"00", u"-05"}, {0.49, u"00", u"00"},
      {12345, u"0000", u"12345"}, {-1, u"0000", u"-0001"},
      // Placeholders, fractions and rounding on the 15-digit text.
      {1, u"#00##00#0", u"00000001"}, {0.17, u"#.00", u".17"},
      {0.0995, u"#.##", u".1"}, {23.675, u"00.00", u"23.68"},
      {0.9125, u"0.000", u"0.913"}, {12.5, u".00", u"12.50"},
      {-0.1, u".#", u"-.1"}, {99.96, u"0.0", u"100.0"}, {1e20, u"0", u"100000000000000000000"},
      {123456789012345678.0, u"0", u"123456789012346000"},
      // Grouping, percent, literals.
      {1000000, u"#,###", u"1,000,000"}, {1234.5, u"#,##0.00", u"1,234.50"},
      {0.5, u"0%", u"50%"}, {17, u"#3", u"173"},
      {1, u"##abcdefghijklmnopqrstuvwxyz", u"1abcdefghijklmnopqrstuvwxyz"},
      {123, u"0-0", u"12-3"}, {5, u"\"n=\"0", u"n=5"}, {5, u"0\"", u"5"},
      {5, u"\\", u""},
      // Sections: a negative value in its own section has no minus of its own.
      {-1, u"#;-#", u"-1"}, {-1, u"#;(#)", u"(1)"}, {1, u"\"pos\";\"neg\";\"zero\"", u"pos"},
      {0, u"\"pos\";\"neg\";\"zero\"", u"zero"},
      {-0.001, u"0.00;(0.00);\\z", u"(0.00)"}, {-3, u"0;;\\z", u"-3"}, {0, u"0;;", u"0"},
      {5, u"0\\;0", u"0;5"},
      // No pattern: the plain number text.
      {-62.5, u"", u"-62.5"}, {1.0 / 3, u"", u"0.333333333333333"}, {1e15, u"", u"1E+15"},
      {1.5e-20, u"", u"1.5E-20"}};
  // clang-format on
  for (const Case& c : cases) {
    const QString pattern = QString::fromUtf16(c.pattern);
    EXPECT_EQ(FormatNumber(c.value, pattern), QString::fromUtf16(c.expected))
        << c.value << " with " << pattern.toStdString();
  }
}

TEST(NumberFormat, LongPatterns) {
  const QString zeros = QString(100000, u'0');
  EXPECT_EQ(FormatNumber(7, zeros), QString(99999, u'0') + u'7');
  EXPECT_EQ(FormatNumber(0.25, QStringLiteral("0.") + zeros).size(), 100002);
  EXPECT_EQ(FormatNumber(1, QStringLiteral("\\x").repeated(50000)), QString(50000, u'x'));
  EXPECT_EQ(FormatNumber(std::numeric_limits<double>::max(), u"#,##0").size(), 309 + 102);
  EXPECT_FALSE(FormatNumber(std::numeric_limits<double>::quiet_NaN(), u"0").isEmpty());
}

}  // namespace
}  // namespace kwemo
