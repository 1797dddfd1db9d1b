#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTimer;

namespace kwemo {

class ColorButton;
class DrawSurface;
class SurfaceView;

// The settings dialog's controls at their places, as the form designer laid them out. Each
// control's object name is its historical name; a member of an array is named "name(index)", as
// in every window's design.
struct frmSettingDesign {
  QComboBox* cmbSkin = nullptr;
  QPushButton* cmdSSave = nullptr;
  QPushButton* cmdLoad = nullptr;  // never visible
  QLineEdit* txtBackFile = nullptr;
  QPushButton* cmdBrouse = nullptr;
  std::array<QLineEdit*, 2> txtForm{};
  QPushButton* cmdSetSize = nullptr;
  QLabel* lblPic = nullptr;
  std::array<ColorButton*, 6> cmdHari{};
  std::array<QLabel*, 6> lblCap{};
  std::array<QComboBox*, 4> cmbBold{};
  std::array<QLineEdit*, 3> txtLong{};
  std::array<QScrollBar*, 3> vscLong{};
  QCheckBox* chkSV = nullptr;
  QCheckBox* chkMemori = nullptr;
  QCheckBox* chkmline = nullptr;
  QCheckBox* chkNhari = nullptr;
  QComboBox* cmbDrawMode = nullptr;
  QCheckBox* chkDC = nullptr;
  QComboBox* cmbFonts = nullptr;
  QLineEdit* txtFS = nullptr;
  QScrollBar* vscFS = nullptr;
  std::array<QCheckBox*, 2> chkFont{};
  QLineEdit* txtAlign = nullptr;
  QScrollBar* vscAlign = nullptr;
  QLabel* lblMoji = nullptr;
  QLineEdit* txtDF = nullptr;
  SurfaceView* picPrev = nullptr;
  QTimer* timI = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdAccept = nullptr;
  QPushButton* cmdCancel = nullptr;

  // Creates every control on `form`; the preview shows `preview`.
  void setupUi(QDialog* form, DrawSurface& preview);

 private:
  void buildStyleSetAndPicture(QDialog* form);
  void buildHands(QDialog* form);
  void buildDigitalText(QDialog* form);
  void buildRightColumn(QDialog* form, DrawSurface& preview);
  void nameControls();
  void setTabOrder(QDialog* form);
};

}  // namespace kwemo
