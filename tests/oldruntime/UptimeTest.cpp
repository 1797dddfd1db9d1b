#include <gtest/gtest.h>

#include <limits>

#include "QStringPrinter.h"
#include "oldruntime/Uptime.h"
#include "oldruntime/VersionText.h"

namespace kwemo {
namespace {

TEST(UptimeText, HoursMinutesSeconds) {
  struct Case {
    std::int64_t ms;
    const char* expected;
  };
  constexpr std::int64_t kHour = 3'600'000;
  const Case cases[] = {
      {0, "[Win] 00h00m00s"},
      {5 * kHour + 7 * 60'000 + 9'000 + 999, "[Win] 05h07m09s"},
      {99 * kHour + 59 * 60'000 + 59'999, "[Win] 99h59m59s"},
      // Past the old 32-bit count's wrap at 2^32 ms (49.7 days): 1193 h 2 min 47.296 s.
      {4'294'967'296, "[Win] 1193h02m47s"},
      {-5, "[Win] 00h00m00s"},
      {std::numeric_limits<std::int64_t>::max(), "[Win] 2562047788015h12m55s"},
  };
  for (const Case& c : cases) EXPECT_EQ(UptimeText(c.ms), c.expected) << c.ms;
  EXPECT_GT(systemUptimeMs(), 0);
}

TEST(VersionText, Digits) {
  EXPECT_EQ(VersionText(0, 0, 25), "ver 0.00.0025");
  EXPECT_EQ(VersionText(10, 15, 12345), "ver 10.15.12345");
}

}  // namespace
}  // namespace kwemo
