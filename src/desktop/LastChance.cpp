#include "desktop/LastChance.h"

#include <cstdlib>

namespace kwemo {

namespace {

// Constructed before the atexit handler is registered, hence destroyed after it has run.
std::function<void()>& action() {
  static std::function<void()> stored;
  return stored;
}

bool gRegistered = false;

extern "C" void runLastChance() {
  std::function<void()> run = std::move(action());
  action() = nullptr;
  if (run) run();
}

}  // namespace

void LastChance::arm(std::function<void()> run) {
  action() = std::move(run);
  if (!gRegistered) {
    gRegistered = true;
    std::atexit(runLastChance);
  }
}

void LastChance::disarm() { action() = nullptr; }

bool LastChance::armed() { return static_cast<bool>(action()); }

}  // namespace kwemo
