#pragma once

#include <QString>

class QWidget;

namespace kwemo {

// What the memo needs of the clock window: its message strip and the menu's clear and copy
// items (`mPI(12)`, `mPI(13)`).
class MemoHost {
 public:
  virtual ~MemoHost() = default;
  virtual void ShowMsg(const QString& Msg, int wait) = 0;
  virtual void setMemoItemsEnabled(bool enabled) = 0;
  virtual bool memoCopyEnabled() const = 0;
  // The window the memo questions belong to (nullptr: none).
  virtual QWidget* questionParent() const { return nullptr; }
};

}  // namespace kwemo
