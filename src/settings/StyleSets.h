#pragma once

#include <QString>

#include "settings/model/StyleSetValues.h"

class QWidget;

namespace kwemo {

// Where the style sets live: $XDG_DATA_HOME/KWEMO/Style/ (default ~/.local/share/KWEMO/Style/),
// one folder per set holding "Style.kws" and optionally "Back.bmp". Ends with "/".
QString styleSetRoot();

// The name of the entry of `folder` that is `name` without regard to case (the exact spelling
// when it is there), or "" when there is none. Only regular files, or only folders.
enum class EntryKind { File, Folder };
QString findNoCase(const QString& folder, const QString& name, EntryKind kind);

struct StyleSetLoad {
  enum class Kind { Reset, Rejected, Loaded };
  Kind kind = Kind::Rejected;
  bool errorNoted = false;  // a field was skipped or the set has no picture
  QString picturePath;      // the set's picture; only when loaded and no error was noted
};

// The entry picked in the list of style sets, applied to `values`: the reset entry restores the
// initial look (bold and italic kept); a set's file is read field by field into them. A missing,
// foreign or oversized file shows "StyleSetファイルが見つからないか、不正です。" and changes
// nothing.
StyleSetLoad loadStyleSet(const QString& root, const QString& entry, StyleSetValues& values,
                          QWidget* parent);

enum class StyleSetSave { Cancelled, Refused, Failed, Saved };

// Saves `values` as the set `typedName` (trimmed; "" means the user cancelled), creating the
// folders as needed and replacing a set of the same name (in any case). A non-empty
// `picturePath` is copied as the set's "Back.bmp", keeping its bytes. Names that are not safe as
// a folder name are refused with a message that says why, and nothing is created; a failed write
// is reported too.
StyleSetSave saveStyleSet(const QString& root, const QString& typedName,
                          const StyleSetValues& values, const QString& picturePath,
                          QWidget* parent);

}  // namespace kwemo
