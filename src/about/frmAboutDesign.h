#pragma once

#include <array>

class QDialog;
class QLabel;
class QPushButton;

namespace kwemo {

class DrawSurface;
class SurfaceView;

// The about box's controls at their places; object names as in every window's design (historical
// names, "name(index)" for a member of an array). Behaviour (filters, handlers) is the form's.
struct frmAboutDesign {
  SurfaceView* picAnim = nullptr;    // the banner
  SurfaceView* picScrTxt = nullptr;  // the roll's canvas, inside the banner
  QPushButton* cmdOK = nullptr;
  std::array<QLabel*, 2> lblURL{};
  QLabel* lblTitle = nullptr;  // hidden holders of the texts the banner prints
  QLabel* lblVersion = nullptr;

  void setupUi(QDialog* form, DrawSurface& anim, DrawSurface& scrTxt);
};

}  // namespace kwemo
