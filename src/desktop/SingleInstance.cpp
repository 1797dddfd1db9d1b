#include "desktop/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <optional>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kwemo {

namespace {

const QByteArray kShowRequest = "show\n";
constexpr qsizetype kMaxRequest = 64;

std::optional<sockaddr_un> addressOf(const QString& path) {
  const QByteArray native = QFile::encodeName(path);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (native.size() >= static_cast<qsizetype>(sizeof(address.sun_path))) return std::nullopt;
  std::memcpy(address.sun_path, native.constData(), static_cast<size_t>(native.size()));
  return address;
}

int newSocket() { return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0); }

// Waits for fd to be ready for `events` until the deadline.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
  pollfd p{fd, events, 0};
  while (true) {
    const int left = static_cast<int>(qMax<qint64>(0, deadline.remainingTime()));
    const int n = ::poll(&p, 1, left);
    if (n > 0) return (p.revents & events) != 0;
    if (n == 0 || errno != EINTR) return false;
  }
}

}  // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

SingleInstance::~SingleInstance() {
  if (listenFd_ >= 0) {
    delete listener_;
    ::close(listenFd_);
    QFile::remove(socketPath());
  }
}

QString SingleInstance::defaultFolder() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath() + QStringLiteral("/kwemo-%1").arg(getuid());
  return dir;
}

QString SingleInstance::lockPath() const { return folder_ + QStringLiteral("/kwemo.lock"); }
QString SingleInstance::socketPath() const { return folder_ + QStringLiteral("/kwemo.socket"); }

SingleInstance::Role SingleInstance::claim() {
  if (claimed_) return role_;
  claimed_ = true;
  if (QDir().mkpath(folder_)) {
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  lock_ = std::make_unique<QLockFile>(lockPath());
  // The lock lives as long as the program; only a dead holder makes it stale.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) {
    role_ = Role::First;
    listen();
  } else if (lock_->error() == QLockFile::LockFailedError) {
    role_ = Role::Second;
  } else {
    role_ = Role::Unknown;
  }
  return role_;
}

void SingleInstance::listen() {
  const auto address = addressOf(socketPath());
  if (!address) return;
  const int fd = newSocket();
  if (fd < 0) return;
  // Only the lock holder gets here, so a socket file left behind is a dead copy's.
  ::unlink(address->sun_path);
  const bool bound =
      ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) == 0;
  // The user's own launches only (the runtime folder is private already; the fallback may not be).
  if (!bound || ::chmod(address->sun_path, 0600) != 0 || ::listen(fd, 8) != 0) {
    ::close(fd);
    return;
  }
  listenFd_ = fd;
  listener_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(listener_, &QSocketNotifier::activated, this, &SingleInstance::onNewConnection);
}

void SingleInstance::onNewConnection() {
  while (true) {
    const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (client < 0) return;
    // One short request per connection; whatever else arrives is not ours and is dropped.
    auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, client] {
      notifier->setEnabled(false);
      notifier->deleteLater();
      onRequest(client);
    });
  }
}

void SingleInstance::onRequest(int fd) {
  char buffer[kMaxRequest];
  const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
  ::close(fd);
  if (n > 0 && QByteArray(buffer, n) == kShowRequest) emit showRequested();
}

bool SingleInstance::askFirstToShow(int timeoutMs) {
  const auto address = addressOf(socketPath());
  if (!address) return false;
  // The first copy may hold the lock a moment before it listens: retry until the deadline.
  const QDeadlineTimer deadline(timeoutMs);
  while (true) {
    const int fd = newSocket();
    if (fd < 0) return false;
    int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address));
    if (rc != 0 && (errno == EINPROGRESS || errno == EAGAIN) && waitFor(fd, POLLOUT, deadline)) {
      int error = 0;
      socklen_t length = sizeof(error);
      rc = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0 ? 0 : -1;
    }
    bool sent = false;
    if (rc == 0 && waitFor(fd, POLLOUT, deadline)) {
      sent = ::send(fd, kShowRequest.constData(), static_cast<size_t>(kShowRequest.size()),
                    MSG_NOSIGNAL) == kShowRequest.size();
    }
    ::close(fd);
    if (sent) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(20);
  }
}

}  // namespace kwemo
