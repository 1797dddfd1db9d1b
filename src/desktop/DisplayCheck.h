#pragma once

#include <QLibrary>

#include <optional>
#include <string>

namespace kwemo {

// Chooses the window system before the application object exists, and finds out whether there
// is a display at all (Qt would abort without one). In a Wayland session that offers XWayland
// the clock runs on X11, since its outline and stacking need it; a platform the user chose
// explicitly (QT_QPA_PLATFORM) is kept.
class DisplayCheck {
 public:
  DisplayCheck() = default;
  // Closes the test connection: keep the object until the application has connected, so that
  // an X server whose only client was the test does not reset in between.
  ~DisplayCheck();
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;

  // The one line to print when there is nothing to show the clock on.
  std::optional<std::string> prepare();

 private:
  bool xServerAnswers(const std::string& display);

  QLibrary xcb_;
  void* connection_ = nullptr;
  void (*disconnect_)(void*) = nullptr;
};

}  // namespace kwemo
