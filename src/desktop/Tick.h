#pragma once

#include <cstdint>

namespace kwemo {

// A monotonic millisecond counter for pacing animations; only differences between two readings
// mean anything. 64-bit, so it never wraps.
std::int64_t TickCount();

// Blocks the calling thread, sleeping, until TickCount() has reached deadline. Returns at once
// for a deadline already passed. No events are processed meanwhile.
void WaitUntilTick(std::int64_t deadline);

}  // namespace kwemo
