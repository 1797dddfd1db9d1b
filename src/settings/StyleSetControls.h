#pragma once

#include "settings/StyleSetValues.h"

class QComboBox;
class QString;

namespace kwemo {

class frmSetting;

// The list of style sets: the reset entry, then the sets under `root`; nothing selected, and
// filling it does not count as choosing an entry.
void fillStyleSetList(QComboBox* list, const QString& root);

// The look a style set carries, read from the settings dialog's controls.
StyleSetValues styleSetValuesOf(const frmSetting& dialog);

// Sets the dialog's controls from `values`, in the order of the style-set file. A control is set
// only when its value differs, so that its handler fires exactly as a user's change would (Apply,
// the digital-text controls following chkDC, chkmline following chkMemori, a scroll bar
// rewriting its box). A changed colour enables Apply as the colour chooser does.
void applyStyleSetValues(frmSetting& dialog, const StyleSetValues& values);

}  // namespace kwemo
