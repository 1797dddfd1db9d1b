#include "desktop/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kwemo {

namespace {

const QByteArray kShowRequest = "show\n";
constexpr qsizetype kMaxRequest = 64;
const char kLockName[] = "kwemo.lock";

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

// Takes away whatever stands at the lock's name that cannot be a lock file (a directory, a
// FIFO, a link...). A directory that holds something is moved aside rather than emptied.
void removeNonRegular(int dirFd, const struct stat& st) {
  if (!S_ISDIR(st.st_mode)) {
    ::unlinkat(dirFd, kLockName, 0);
  } else if (::unlinkat(dirFd, kLockName, AT_REMOVEDIR) != 0) {
    const QByteArray aside = QByteArray(kLockName) + ".stale-" + QByteArray::number(::getpid());
    ::renameat(dirFd, kLockName, dirFd, aside.constData());
  }
}

}  // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {
  sweeper_.setInterval(100);
  connect(&sweeper_, &QTimer::timeout, this, &SingleInstance::dropExpired);
}

SingleInstance::~SingleInstance() {
  while (!connections_.empty()) drop(connections_.begin());
  if (listenFd_ >= 0) {
    delete listener_;
    ::close(listenFd_);
    QFile::remove(socketPath());
  }
  if (spareFd_ >= 0) ::close(spareFd_);
  // Closing ends the lock; the file stays for the next launch to lock.
  if (lockFd_ >= 0) ::close(lockFd_);
}

QString SingleInstance::defaultFolder() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath() + QStringLiteral("/kwemo-%1").arg(getuid());
  return dir;
}

QString SingleInstance::lockPath() const { return folder_ + u'/' + QLatin1String(kLockName); }
QString SingleInstance::socketPath() const { return folder_ + QStringLiteral("/kwemo.socket"); }

SingleInstance::Role SingleInstance::claim() {
  if (claimed_) return role_;
  claimed_ = true;
  if (QDir().mkpath(folder_)) {
    QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  role_ = takeLock();
  if (role_ == Role::First) listen();
  return role_;
}

SingleInstance::Role SingleInstance::takeLock() {
  const int dirFd =
      ::open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return Role::Unknown;
  // Launches look at and repair the lock's name one at a time, so that none removes a lock file
  // another has just made. The wait is bounded: a launch stopped halfway must not hold up others.
  const QDeadlineTimer patience(2000);
  bool alone = false;
  while (!(alone = ::flock(dirFd, LOCK_EX | LOCK_NB) == 0) && !patience.hasExpired())
    QThread::msleep(10);

  Role role = Role::Unknown;
  for (int attempt = 0; attempt < 2 && role == Role::Unknown; ++attempt) {
    struct stat st {};
    if (::fstatat(dirFd, kLockName, &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode)) {
      if (!alone) break;
      removeNonRegular(dirFd, st);
    }
    const int fd = ::openat(
        dirFd, kLockName, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0) {
      if (errno == ELOOP || errno == EISDIR || errno == ENXIO) continue;  // replaced meanwhile
      break;
    }
    // Only a regular file of this user can name a clock of this user.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
      ::close(fd);
      if (alone) ::unlinkat(dirFd, kLockName, 0);
      continue;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // Who holds it, for a person looking; the lock itself is the kernel's.
      char host[256] = {};
      ::gethostname(host, sizeof host - 1);
      const QByteArray info = QByteArray::number(::getpid()) + '\n' + host + "\nkwemo\n";
      if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, info.constData(), size_t(info.size()), 0);
      lockFd_ = fd;
      role = Role::First;
    } else {
      const int error = errno;
      ::close(fd);
      if (error == EWOULDBLOCK) role = Role::Second;
      break;
    }
  }
  ::close(dirFd);  // ends the repair lock
  return role;
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
  spareFd_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  listener_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(listener_, &QSocketNotifier::activated, this, &SingleInstance::onNewConnection);
}

void SingleInstance::onNewConnection() {
  // A bounded number per wake-up, so a flood cannot hold up the clock's own events.
  for (int n = 0; n < 2 * kMaxConnections; ++n)
    if (!acceptOne()) return;
}

// False when there is nothing more to accept for now.
bool SingleInstance::acceptOne() {
  const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
  if (client < 0) {
    if (errno == EINTR || errno == ECONNABORTED) return true;
    if ((errno == EMFILE || errno == ENFILE) && spareFd_ >= 0) {
      // Out of descriptors: the waiting connection would wake us again and again. Give up the
      // spare one to take it off the queue and close it.
      ::close(spareFd_);
      const int shed = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (shed >= 0) ::close(shed);
      spareFd_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
      return shed >= 0;
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK && listener_) {
      // Whatever else fails, wait a moment rather than spin on a queue that stays readable.
      listener_->setEnabled(false);
      QTimer::singleShot(100, this, [this] {
        if (listener_) listener_->setEnabled(true);
      });
    }
    return false;
  }
  ucred peer{};
  socklen_t length = sizeof(peer);
  if (::getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 ||
      peer.uid != ::geteuid()) {
    ::close(client);
    return true;
  }
  if (static_cast<int>(connections_.size()) >= kMaxConnections) drop(connections_.begin());
  auto* notifier = new QSocketNotifier(client, QSocketNotifier::Read, this);
  connections_.push_back({client, notifier, QDeadlineTimer(kRequestDeadlineMs), {}});
  connect(notifier, &QSocketNotifier::activated, this, [this, client] { onReadable(client); });
  if (!sweeper_.isActive()) sweeper_.start();
  return true;
}

void SingleInstance::drop(std::list<Connection>::iterator connection) {
  connection->notifier->setEnabled(false);
  connection->notifier->deleteLater();
  ::close(connection->fd);
  connections_.erase(connection);
  if (connections_.empty()) sweeper_.stop();
}

void SingleInstance::dropExpired() {
  for (auto it = connections_.begin(); it != connections_.end();) {
    auto next = std::next(it);
    if (it->deadline.hasExpired()) drop(it);
    it = next;
  }
}

// One short request per connection, complete when the sender closes; anything else is not ours.
void SingleInstance::onReadable(int fd) {
  const auto connection = std::find_if(connections_.begin(), connections_.end(),
                                       [fd](const Connection& c) { return c.fd == fd; });
  if (connection == connections_.end()) return;
  char buffer[kMaxRequest + 1];
  while (true) {
    const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    if (n > 0) {
      connection->received.append(buffer, n);
      if (connection->received.size() <= kMaxRequest) continue;
    }
    const bool show = n == 0 && connection->received == kShowRequest;
    drop(connection);
    if (show) emit showRequested();
    return;
  }
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
