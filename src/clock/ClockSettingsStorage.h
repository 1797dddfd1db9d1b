#pragma once

#include <optional>
#include <span>
#include <utility>
#include <variant>

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

// One stored value. Each setting is declared once, in the table that SettingFields() returns, in
// the order the shut-down writes them; loading, saving and the first-run record all walk it.
struct SettingField {
  struct HandLength {  // hLong0..2
    int index;
    bool operator==(const HandLength&) const = default;
  };
  struct RunMarker {  // "Runed": always written as "True"
    bool operator==(const RunMarker&) const = default;
  };
  using Target = std::variant<std::int16_t ClockSettings::*, bool ClockSettings::*,
                              float ClockSettings::*, QString ClockSettings::*, HandLength,
                              float WindowState::*, bool WindowState::*, RunMarker>;

  const char* section;
  const char* key;  // as written
  Target target;    // its kind follows: integer, boolean, single or text
  // The stored text a first run puts in place; nullptr keeps what was read.
  const char* firstRun = nullptr;
  // What the dialog and style-set files accept; the store itself keeps any value.
  std::optional<std::pair<int, int>> range = std::nullopt;
  // As read, where it has always been spelt differently (keys match without regard to case).
  const char* readKey = nullptr;
};
std::span<const SettingField> SettingFields();

// The look of a first run: what loading an empty store gives.
ClockSettings FirstRunSettings();

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
