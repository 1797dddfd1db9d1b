#pragma once

#include <QPointer>

#include "clockwindow/frmMemo.h"

namespace kwemo {

class MemoHost;
class SettingsStore;

// The clock menu's memo commands: open the memo window, clear the stored memo, copy it to the
// clipboard. Clear and copy work on the stored memo, not on an open window's fields.
class MemoCommands {
 public:
  // store and host outlive the commands.
  MemoCommands(SettingsStore& store, MemoHost& host);
  // An open memo window goes without its question.
  ~MemoCommands();
  MemoCommands(const MemoCommands&) = delete;
  MemoCommands& operator=(const MemoCommands&) = delete;

  // Shows the memo window (loading it first if needed; an open one keeps its edits).
  void Open();
  // Asks, then empties the stored memo.
  void Clear();
  // Asks, then puts the stored memo on the clipboard; nothing while the copy item is disabled.
  void Copy();

  // The open memo window, or nullptr.
  frmMemo* window() const { return memo_; }

 private:
  SettingsStore& store_;
  MemoHost& host_;
  QPointer<frmMemo> memo_;
};

}  // namespace kwemo
