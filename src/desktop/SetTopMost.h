#pragma once

class QWidget;

namespace kwemo {

// The stacking helper every window uses. OnTop puts `frm` above all normal windows, false takes
// it back among them; its place and size stay as they are. With `hWndAfter`, `frm` is kept
// directly above that window instead (as its transient) and OnTop has no effect. Works before
// and after the window is shown, without re-creating its native window.
void SetTopMost(QWidget& frm, bool OnTop, QWidget* hWndAfter = nullptr);

}  // namespace kwemo
