#pragma once

#include <array>

class QDialog;
class QLabel;
class QPushButton;
class QScrollBar;
class QWidget;

namespace kwemo {

// The colour chooser's controls at their places; object names as in every window's design
// (historical names, "name(index)" for a member of an array).
struct frmColorDesign {
  QWidget* Picture1 = nullptr;  // the swatch
  std::array<QLabel*, 3> lblC{};
  QScrollBar* hscR = nullptr;
  QScrollBar* hscG = nullptr;
  QScrollBar* hscB = nullptr;
  QLabel* lblR = nullptr;
  QLabel* lblG = nullptr;
  QLabel* lblB = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  void setupUi(QDialog* form);

 private:
  void buildBars(QDialog* form);
  void nameControls();
};

}  // namespace kwemo
