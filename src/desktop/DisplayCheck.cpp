#include "desktop/DisplayCheck.h"

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

bool waylandPluginInstalled() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       QStringLiteral("/platforms"));
  return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

}  // namespace

DisplayCheck::~DisplayCheck() {
  if (connection_ && disconnect_) disconnect_(connection_);
}

// Whether an X server answers on `display`: one connection through libxcb, the library Qt's
// X11 platform uses itself. Unknown (true) when the library cannot be loaded.
bool DisplayCheck::xServerAnswers(const std::string& display) {
  xcb_.setFileNameAndVersion(QStringLiteral("xcb"), 1);
  using Connect = void* (*)(const char*, int*);
  using HasError = int (*)(void*);
  auto connect = reinterpret_cast<Connect>(xcb_.resolve("xcb_connect"));
  auto hasError = reinterpret_cast<HasError>(xcb_.resolve("xcb_connection_has_error"));
  disconnect_ = reinterpret_cast<void (*)(void*)>(xcb_.resolve("xcb_disconnect"));
  if (!connect || !hasError || !disconnect_) return true;
  connection_ = connect(display.c_str(), nullptr);
  return connection_ && hasError(connection_) == 0;
}

std::optional<std::string> DisplayCheck::prepare() {
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
