#include "desktop/Tick.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kwemo {

namespace {
bool stepped = false;
std::int64_t steppedNow = 0;
}  // namespace

void SetSteppedTicks(bool on) { stepped = on; }

std::int64_t TickCount() {
  if (stepped) return steppedNow;
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void WaitUntilTick(std::int64_t deadline) {
  if (stepped) {
    steppedNow = std::max(steppedNow, deadline);
    return;
  }
  // A sleep may end early (a signal), so sleep again until the counter shows the deadline. Each
  // sleep is capped so that a far deadline cannot overflow the clock's nanosecond arithmetic.
  constexpr std::int64_t kLongestSleepMs = 3'600'000;
  for (std::int64_t now = TickCount(); now < deadline; now = TickCount()) {
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::min(deadline - now, kLongestSleepMs)));
  }
}

}  // namespace kwemo
