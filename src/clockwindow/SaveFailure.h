#pragma once

#include <QString>

class QWidget;

namespace kwemo {

class SettingsStore;

// A save the user asked for (OK or Apply, the memo) that did not reach the disk is never passed
// over in silence: a message box says what was not saved, which file and why.
void reportFailedSave(QWidget* parent, const QString& what, const QString& title,
                      const SettingsStore& store);

// At shut-down nobody is left to read a box: one line on stderr instead.
void reportFailedShutDownSave(const SettingsStore& store);

}  // namespace kwemo
