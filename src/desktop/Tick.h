#pragma once

#include <cstdint>

namespace kwemo {

// A monotonic millisecond counter for pacing animations; only differences between two readings
// mean anything. 64-bit, so it never wraps.
std::int64_t TickCount();

// Blocks the calling thread, sleeping, until TickCount() has reached deadline. Returns at once
// for a deadline already passed. No events are processed meanwhile.
void WaitUntilTick(std::int64_t deadline);

// For tests: while on, the counter stands still except where WaitUntilTick moves it to the
// deadline, so paced animations finish at once and their waits add up exactly.
void SetSteppedTicks(bool on);

}  // namespace kwemo
