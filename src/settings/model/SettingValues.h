#pragma once

#include <QSize>
#include <QString>
#include <optional>

#include "clock/ClockSettings.h"
#include "settings/model/PreviewInputs.h"
#include "settings/model/StyleSetValues.h"

namespace kwemo {

// Every value the settings dialog edits, held as its controls hold them: the look a style set
// carries, plus the background picture's path and the minute-dots check, which a set does not.
struct SettingValues {
  StyleSetValues look;
  QString txtBackFile;
  int chkmline = 0;

  bool operator==(const SettingValues&) const = default;
};

// The values the dialog shows for `record`, the size boxes showing `clientSize`. A value no
// control can show (a width outside its list, a bar position outside 16 bits) is passed on as it
// is, and the form leaves that control as it was.
SettingValues settingValuesOf(const ClockSettings& record, QSize clientSize);

// The boxes whose text can be refused, in the order they are read on screen.
enum class SettingBox { Width, Height, HourLength, MinuteLength, SecondLength, FontSize, TextTop };

struct SettingRefusal {
  SettingBox field;
  QString message;
};

// The first value (in screen order) the clock cannot use, with the message that says why; empty
// when every value can be written. The font size and the text's position are checked only while
// `digitalTextEditable`: otherwise an unusable value there keeps the record's.
std::optional<SettingRefusal> firstRefusal(const SettingValues& values, bool digitalTextEditable);

// Writes the values into the record as OK and Apply do. Values that passed firstRefusal only.
void writeRecord(const SettingValues& values, ClockSettings& record);

// The clock's inner size the size boxes ask for (passed firstRefusal).
QSize clientSizeOf(const SettingValues& values);

// What the preview draws from the values; the picture is the dialog's to add.
PreviewInputs previewInputsOf(const SettingValues& values);

}  // namespace kwemo
