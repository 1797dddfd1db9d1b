#pragma once

#include <optional>
#include <string>

namespace kwemo {

// Chooses the window system before the application object exists, and finds out whether there
// is a display at all (Qt would abort without one). In a Wayland session that offers XWayland
// the clock runs on X11, since its outline and stacking need it; a platform the user chose
// explicitly (QT_QPA_PLATFORM) is kept. Returns the one line to print when there is nothing to
// show the clock on.
std::optional<std::string> prepareDisplay();

}  // namespace kwemo
