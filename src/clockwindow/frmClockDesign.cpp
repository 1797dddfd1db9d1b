#include "clockwindow/frmClockDesign.h"

#include <QWidget>

#include "desktop/ControlName.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

void frmClockDesign::setupUi(QWidget* form, DrawSurface& face, int frameWidth, int clientSize) {
  clientArea = new QWidget(form);
  picPrev = new SurfaceView(face, clientArea);
  // The face's tooltip follows the pointer.
  picPrev->setMouseTracking(true);
  form->resize(clientSize + 2 * frameWidth, clientSize + 2 * frameWidth);
  clientArea->setGeometry(frameWidth, frameWidth, clientSize, clientSize);
  nameControl(clientArea, "clientArea");
  nameControl(picPrev, "picPrev");
}

}  // namespace kwemo
