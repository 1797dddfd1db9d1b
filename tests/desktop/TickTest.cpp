#include <gtest/gtest.h>

#include "desktop/Tick.h"

namespace kwemo {

TEST(Tick, WaitUntilTickReachesTheDeadline) {
  for (const std::int64_t wait : {0, 1, 5, 30}) {
    const std::int64_t deadline = TickCount() + wait;
    WaitUntilTick(deadline);
    EXPECT_GE(TickCount(), deadline) << wait;
  }
  const std::int64_t before = TickCount();
  WaitUntilTick(before - 1000);  // a passed deadline
  EXPECT_GE(TickCount(), before);
}

}  // namespace kwemo
