#pragma once

class QWidget;

namespace kwemo {

class DrawSurface;
class SurfaceView;

// The clock window's controls; object names as in every window's design (historical names,
// "name(index)" for a member of an array). The message strip `picMsg` is built by MessageStrip
// inside the client area.
struct frmClockDesign {
  QWidget* clientArea = nullptr;   // the window inside its sizing frame
  SurfaceView* picPrev = nullptr;  // the face

  void setupUi(QWidget* form, DrawSurface& face, int frameWidth, int clientSize);
};

}  // namespace kwemo
