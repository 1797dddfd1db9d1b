#include "app/DisplayCheck.h"

#include <QDir>
#include <QLibrary>
#include <QLibraryInfo>

#include <cstdlib>
#include <cstring>

namespace kwemo {

namespace {

std::string env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// Whether an X server answers on `display`: one connection through libxcb, the library Qt's
// X11 platform uses itself. Unknown (true) when the library cannot be loaded.
bool xServerAnswers(const std::string& display) {
  QLibrary xcb(QStringLiteral("xcb"), 1);
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  using Disconnect = void (*)(void*);
  auto connect = reinterpret_cast<Connect>(xcb.resolve("xcb_connect"));
  auto hasError = reinterpret_cast<HasError>(xcb.resolve("xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<Disconnect>(xcb.resolve("xcb_disconnect"));
  if (!connect || !hasError || !disconnect) return true;
  void* connection = connect(display.empty() ? nullptr : display.c_str(), nullptr);
  const bool ok = connection && hasError(connection) == 0;
  if (connection) disconnect(connection);
  return ok;
}

bool waylandPluginInstalled() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       QStringLiteral("/platforms"));
  return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

}  // namespace

std::optional<std::string> prepareDisplay() {
  const std::string chosen = env("QT_QPA_PLATFORM");
  const std::string display = env("DISPLAY");
  const std::string wayland = env("WAYLAND_DISPLAY");

  const bool wantsX11 = chosen.empty() ? !display.empty() : chosen.rfind("xcb", 0) == 0;
  if (chosen.empty() && display.empty()) {
    if (wayland.empty()) {
      return "kwemo: no display to show the clock on (DISPLAY is not set); "
             "start it from a desktop session";
    }
    if (!waylandPluginInstalled()) {
      return "kwemo: this Wayland session offers no X11 display (XWayland), and Qt's Wayland "
             "support is not installed";
    }
    return std::nullopt;  // plain Wayland: Qt's own choice
  }
  if (!wantsX11) return std::nullopt;  // the user's explicit choice
  if (display.empty()) {
    return "kwemo: no X11 display to show the clock on (DISPLAY is not set)";
  }
  if (!xServerAnswers(display)) {
    return "kwemo: cannot open the X display \"" + display + "\"";
  }
  if (chosen.empty()) setenv("QT_QPA_PLATFORM", "xcb", 1);
  return std::nullopt;
}

}  // namespace kwemo
