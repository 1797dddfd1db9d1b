#include "desktop/SetTopMost.h"

#include <QWidget>
#include <QWindow>

namespace kwemo {

void SetTopMost(QWidget& frm, bool OnTop, QWidget* hWndAfter) {
  if (hWndAfter) {
    frm.winId();
    hWndAfter->winId();
    frm.windowHandle()->setTransientParent(hWndAfter->windowHandle());
    if (frm.isVisible()) frm.raise();
    return;
  }
  Qt::WindowFlags flags = frm.windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, OnTop);
  // setWindowFlags() would re-create a shown window (and move it); changing the flags of the
  // existing native window keeps it where it is and takes effect at once.
  frm.overrideWindowFlags(flags);
  if (QWindow* window = frm.windowHandle()) window->setFlags(flags);
  if (OnTop && frm.isVisible()) frm.raise();
}

}  // namespace kwemo
