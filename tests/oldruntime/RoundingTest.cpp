#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "oldruntime/Rounding.h"

namespace kwemo {
namespace {

TEST(Rounding, HalvesToEvenWithSixteenBitChecksAndThirtyTwoBitClamps) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
  constexpr int kFails = 99999;
  const struct {
    double value;
    int int16;  // kFails: no 16-bit value
    std::int32_t clamped;
  } cases[] = {
      {2.5, 2, 2},
      {3.5, 4, 4},
      {-2.5, -2, -2},
      {-0.5, 0, 0},
      {2.4999, 2, 2},
      {32767.4, 32767, 32767},
      {32767.5, kFails, 32768},
      {-32768.5, -32768, -32768},
      {-32769, kFails, -32769},
      {2147483647.5, kFails, hi},
      {-2147483648.5, kFails, lo},
      {1e300, kFails, hi},
      {inf, kFails, hi},
      {-inf, kFails, lo},
      {nan, kFails, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    const auto i16 = toInt16(c.value);
    EXPECT_EQ(i16 ? int{*i16} : kFails, c.int16);
    EXPECT_EQ(toInt32Clamped(c.value), c.clamped);
    if (std::isfinite(c.value)) {
      EXPECT_EQ(roundHalfEven(c.value), std::nearbyint(c.value));
    }
  }
}

}  // namespace
}  // namespace kwemo
