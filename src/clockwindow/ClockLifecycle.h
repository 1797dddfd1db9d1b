#pragma once

#include <functional>

namespace kwemo {

class frmClock;

// The clock window's start-up (load the settings, greet a first run, register the icon, restore
// outline, stacking, position and size, start the timer) and shut-down (write everything back,
// remove the icon, end the program), in the order the clock has always done them.
class ClockLifecycle {
 public:
  ClockLifecycle(frmClock& window, std::function<void()> endProgram);
  ~ClockLifecycle();
  ClockLifecycle(const ClockLifecycle&) = delete;
  ClockLifecycle& operator=(const ClockLifecycle&) = delete;

  void startUp();
  // Runs once, whatever closes the window; also the last-chance save when the display is gone.
  void shutDown();
  bool done() const { return done_; }

 private:
  void restorePlacement();
  bool save();

  frmClock& window_;
  std::function<void()> endProgram_;
  bool done_ = false;
  bool armed_ = false;
};

}  // namespace kwemo
