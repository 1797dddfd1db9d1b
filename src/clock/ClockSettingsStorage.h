#pragma once

#include <optional>

#include "clock/ClockSettings.h"
#include "store/SettingsStore.h"

namespace kwemo {

// The application name under which every value of the clock is stored.
inline QString settingsApplication() { return QStringLiteral("KWEMO"); }

// The window values that the shut-down saves along with the record; positions and sizes in twips.
struct WindowState {
  float Left = 0, Top = 0, Width = 0, Height = 0;
  bool AlwaysOnTop = false;  // check mark of "Always On Top(&A)"
  bool RgnMode = false;      // check mark of "円形フォーム(&F)"
};

struct LoadOutcome {
  bool firstRun = false;     // "Runed" was not exactly "True"; the first-run values are in place
  bool alwaysOnTop = false;  // "Always On Top" was exactly "True"
};

// Fills the record from the store. A value that is absent or does not convert leaves its field as
// it was, so start-up passes a fresh record. Applies the first-run values when the store was
// never written by a shut-down, and computes the derived colours.
LoadOutcome LoadClockSettings(const SettingsStore& store, ClockSettings& settings);

// "RgnMode" (section "Setting") is exactly "True".
bool LoadRgnMode(const SettingsStore& store);

// The stored window placement in twips; nullopt when "Left" is not a number (the window then
// keeps its design position and size). "top", "width", "height" take their leading number, 0
// when there is none.
struct StoredPlacement {
  float Left = 0;
  double Top = 0, Width = 0, Height = 0;
};
std::optional<StoredPlacement> LoadPlacement(const SettingsStore& store);

// Writes every field and the window values, in one batch; every write is attempted whatever
// fails before it. True when all of them reached the store.
bool SaveClockSettings(SettingsStore& store, const ClockSettings& settings,
                       const WindowState& window);

}  // namespace kwemo
