#include <gtest/gtest.h>

#include "about/CreditLines.h"

namespace kwemo {
namespace {

TEST(CreditLines, TableHasTheFixedLinesAndElevenAlternatingThanks) {
  const CreditTable lines =
      makeCreditLines(QStringLiteral("KWEMO"), QStringLiteral("ver 0.01.0000"));
  EXPECT_EQ(lines[1], QStringLiteral("1...at first,"));
  EXPECT_EQ(lines[32], QStringLiteral("0t h a n k s :-)"));
  EXPECT_TRUE(lines[8].startsWith(QStringLiteral("0KWEMO")));
  EXPECT_TRUE(lines[8].endsWith(QStringLiteral("ver 0.01.0000")));
  for (int i = 16; i <= 26; ++i)
    EXPECT_EQ(lines[static_cast<std::size_t>(i)].front(), QLatin1Char(i % 2 == 0 ? '4' : '3'))
        << "line " << i;
  for (int i : {4, 5, 6, 7, 10, 11, 12, 13, 15, 27, 30, 31, 33, 34, 35, 36, 39})
    EXPECT_TRUE(lines[static_cast<std::size_t>(i)].isEmpty()) << "line " << i;
}

}  // namespace
}  // namespace kwemo
