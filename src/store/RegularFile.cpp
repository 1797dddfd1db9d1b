#include "store/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <cerrno>
#include <cstring>

namespace kwemo {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString describeFileType(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("is a directory");
  if (S_ISFIFO(mode)) return QStringLiteral("is a named pipe (FIFO)");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("is a device");
  if (S_ISSOCK(mode)) return QStringLiteral("is a socket");
  if (S_ISLNK(mode)) return QStringLiteral("is a symbolic link");
  return QStringLiteral("is not a regular file");
}

int openRegularFile(const QString& path, QString& reason, bool* notRegular) {
  const QByteArray native = QFile::encodeName(path);
  auto refuse = [&](mode_t mode) {
    reason = describeFileType(mode);
    if (notRegular) *notRegular = true;
    return -1;
  };
  auto fail = [&](int error) {
    reason = systemReason(error);
    if (notRegular) *notRegular = false;
    return -1;
  };
  // A look first, so that a device is not even opened; the descriptor is checked again after.
  struct stat st {};
  if (::stat(native.constData(), &st) != 0) {
    const int error = errno;
    struct stat link {};
    if ((error == ENOENT || error == ELOOP) && ::lstat(native.constData(), &link) == 0 &&
        S_ISLNK(link.st_mode)) {
      reason = QStringLiteral("is a symbolic link that leads nowhere");
      if (notRegular) *notRegular = true;
      return -1;
    }
    return fail(error);
  }
  if (!S_ISREG(st.st_mode)) return refuse(st.st_mode);
  const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return fail(errno);
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    return fail(error);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return refuse(st.st_mode);
  }
  return fd;
}

RegularFileRead readRegularFile(const QString& path, qint64 limit) {
  using Status = RegularFileRead::Status;
  RegularFileRead result;
  struct stat st {};
  if (::lstat(QFile::encodeName(path).constData(), &st) != 0 && errno == ENOENT) return result;
  bool notRegular = false;
  const int fd = openRegularFile(path, result.reason, &notRegular);
  if (fd < 0) {
    result.status = notRegular ? Status::NotRegular : Status::Failed;
    return result;
  }
  // Read one byte past the limit to tell a file of exactly `limit` bytes from a larger one.
  qsizetype used = 0;
  result.bytes.resize(static_cast<qsizetype>(qMin<qint64>(limit + 1, 64 * 1024)));
  while (true) {
    if (used == result.bytes.size()) {
      if (used > limit) break;
      result.bytes.resize(static_cast<qsizetype>(qMin<qint64>(limit + 1, 2 * qint64(used))));
    }
    const ssize_t n = ::read(fd, result.bytes.data() + used, size_t(result.bytes.size() - used));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.reason = systemReason(errno);
      ::close(fd);
      result.bytes.clear();
      result.status = Status::Failed;
      return result;
    }
    if (n == 0) break;
    used += n;
  }
  ::close(fd);
  if (used > limit) {
    result.bytes.truncate(static_cast<qsizetype>(limit));
    result.status = Status::TooLarge;
    result.reason = QStringLiteral("is larger than %1 bytes").arg(limit);
  } else {
    result.bytes.truncate(used);
    result.status = Status::Read;
  }
  return result;
}

}  // namespace kwemo
