#pragma once

#include <QWidget>

#include "surface/DrawSurface.h"

namespace kwemo {

class SurfaceView;

// The loading splash: "NOW LOADING KWEMO... please wait :)" in the active-caption colours,
// centred on the screen, above every window while the clock loads. The clock window unloads it
// at its first drawing.
class frmLoading : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kMessage = "NOW LOADING KWEMO... please wait :)";

  explicit frmLoading(QWidget* parent = nullptr);

  // Builds, places and shows the splash.
  void Form_Load();

  const DrawSurface& surface() const { return surface_; }

 private:
  DrawSurface surface_;
  SurfaceView* view_;
};

}  // namespace kwemo
