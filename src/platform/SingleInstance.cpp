#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace kwemo {

namespace {

const QByteArray kShowRequest = "show\n";
constexpr qint64 kMaxRequest = 64;

}  // namespace

SingleInstance::SingleInstance(QString folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {}

SingleInstance::~SingleInstance() {
  if (server_) server_->close();
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
  QDir().mkpath(folder_);
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
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Only the lock holder gets here, so a socket file left behind is a dead copy's.
  QLocalServer::removeServer(socketPath());
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
  server_->listen(socketPath());
}

void SingleInstance::onNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // One short request per connection; whatever else arrives is not ours and is dropped.
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine() && socket->bytesAvailable() < kMaxRequest) return;
      const bool show = socket->readLine(kMaxRequest) == kShowRequest;
      socket->abort();
      if (show) emit showRequested();
    });
  }
}

bool SingleInstance::askFirstToShow(int timeoutMs) {
  // The first copy may hold the lock a moment before it listens: retry until the deadline.
  QDeadlineTimer deadline(timeoutMs);
  while (true) {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    const int left = static_cast<int>(qMax<qint64>(1, deadline.remainingTime()));
    if (socket.waitForConnected(left)) {
      socket.write(kShowRequest);
      socket.flush();
      while (socket.bytesToWrite() > 0 && !deadline.hasExpired() &&
             socket.waitForBytesWritten(
                 static_cast<int>(qMax<qint64>(1, deadline.remainingTime())))) {
      }
      const bool sent = socket.bytesToWrite() == 0;
      socket.disconnectFromServer();
      return sent;
    }
    if (deadline.hasExpired()) return false;
    QThread::msleep(20);
  }
}

}  // namespace kwemo
