#pragma once

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace kwemo {

// The memo window's two controls; object names as in every window's design (historical names,
// "name(index)" for a member of an array).
struct frmMemoDesign {
  QLineEdit* txtTitle = nullptr;
  QPlainTextEdit* txtMemo = nullptr;

  // The title as wide as the design's client area, the text below it.
  void setupUi(QWidget* form, int clientWidth, int clientHeight);
};

}  // namespace kwemo
