#pragma once

#include <QString>

namespace kwemo {

class SettingsStore;

// The clock's one memo as the store keeps it: section "Memo", keys "Title" and "Memo", line
// breaks of the text as CR LF. A memo exists when its title is not empty.
struct StoredMemo {
  QString title;
  QString text;

  bool exists() const { return !title.isEmpty(); }
};

// Missing keys read as empty texts.
StoredMemo ReadMemo(const SettingsStore& store);
// Writes both keys; the text's line breaks (LF, CR LF or CR) are stored as CR LF. False when a
// write did not reach the store.
bool WriteMemo(SettingsStore& store, const StoredMemo& memo);

// The title as menus and questions show it: up to 10 characters whole, a longer one cut to its
// first 10 characters followed by "...". A character is a whole code point: a cut never splits a
// surrogate pair.
QString ShortTitle(const QString& title);

// What the copy command puts on the clipboard: full title, CR LF, "--------", CR LF, text.
QString MemoClipboardText(const StoredMemo& memo);

// Line breaks of a text field (LF) to the stored form (CR LF), and back.
QString ToStoredLineBreaks(const QString& text);
QString FromStoredLineBreaks(const QString& text);

}  // namespace kwemo
