#include "desktop/DisplaySendBuffer.h"

#include <QtGui/qguiapplication_platform.h>
#include <QGuiApplication>

#include <dlfcn.h>
#include <sys/socket.h>

namespace kwemo {

void widenDisplaySendBuffer() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;
  // libxcb is loaded by Qt's X11 platform whenever there is an X11 connection.
  using GetFd = int (*)(xcb_connection_t*);
  const auto getFd = reinterpret_cast<GetFd>(dlsym(RTLD_DEFAULT, "xcb_get_file_descriptor"));
  if (!getFd) return;
  const int bytes = 1 << 20;
  // A refusal leaves the default buffer: slower, not wrong.
  (void)setsockopt(getFd(x11->connection()), SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
}

}  // namespace kwemo
