#pragma once

#include <QWidget>

#include "clockwindow/frmMemoDesign.h"

namespace kwemo {

class MemoHost;
class SettingsStore;

// The memo window: the title `txtTitle` on top, the text `txtMemo` below it. It loads the stored
// memo when it opens and asks whether to save it each time it closes; it deletes itself once
// closed.
class frmMemo : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kDesignClientWidth = 320;
  static constexpr int kDesignClientHeight = 200;
  // What the memo can hold, in UTF-16 units: the old text boxes' limits, far inside what the
  // settings file can take whatever the characters.
  static constexpr int kMaxTitleLength = 32767;
  static constexpr int kMaxTextLength = 65535;

  // store and host outlive the window.
  frmMemo(SettingsStore& store, MemoHost& host, QWidget* parent = nullptr);

  // Closes and deletes the window without the question (the clock is ending).
  void discard();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  void Form_Resize();
  void txtTitle_Change();
  void limitText(int position, int removed, int added);
  // True when the close is to be cancelled.
  bool Form_QueryUnload();

  SettingsStore& store_;
  MemoHost& host_;
  frmMemoDesign ui_;
  bool discarding_ = false;
};

}  // namespace kwemo
