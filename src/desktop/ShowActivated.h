#pragma once

class QWidget;

namespace kwemo {

// Shows a window the user asked for and puts it in front with the input focus. A window the user
// minimised comes back too: showing an iconic window alone leaves it iconic, which without a
// taskbar means out of reach.
void ShowActivated(QWidget& window);

}  // namespace kwemo
