#include "desktop/QuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kwemo {

namespace {

constexpr std::array kQuitSignals = {SIGTERM, SIGHUP, SIGINT};
// Written by the signal handler, read on the event loop: the only state a handler may touch.
int gSignalFds[2] = {-1, -1};

extern "C" void onQuitSignal(int number) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] const ssize_t written = ::write(gSignalFds[0], &byte, 1);
  errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(QObject* parent) : QObject(parent) {
  if (gSignalFds[0] != -1) return;  // another instance already owns the handlers
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, gSignalFds) != 0) {
    gSignalFds[0] = gSignalFds[1] = -1;
    return;
  }
  notifier_ = new QSocketNotifier(gSignalFds[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::onReadable);
  struct sigaction action {};
  action.sa_handler = onQuitSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kQuitSignals) sigaction(number, &action, nullptr);
}

QuitSignals::~QuitSignals() {
  if (!notifier_) return;
  for (int number : kQuitSignals) std::signal(number, SIG_DFL);
  delete notifier_;
  ::close(gSignalFds[0]);
  ::close(gSignalFds[1]);
  gSignalFds[0] = gSignalFds[1] = -1;
}

void QuitSignals::onReadable() {
  unsigned char byte = 0;
  while (::read(gSignalFds[1], &byte, 1) == 1) emit quitRequested(byte);
}

}  // namespace kwemo
