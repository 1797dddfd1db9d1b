#pragma once

#include <functional>

namespace kwemo {

// When the X server goes away, Qt ends the process with exit(): no event loop, no aboutToQuit,
// only atexit handlers. LastChance runs one action from such a handler unless the program was
// disarmed first by its normal shut-down. Arm it late (after the store has been used once), so
// that what the action needs was set up before the handler was registered and is torn down
// after it runs.
class LastChance {
 public:
  static void arm(std::function<void()> action);
  static void disarm();
  static bool armed();
};

}  // namespace kwemo
