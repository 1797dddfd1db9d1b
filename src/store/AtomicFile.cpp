#include "store/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>

#include "store/RegularFile.h"

namespace kwemo {

namespace {

// From the system's generator: a seeded one would repeat its names in every forked child.
QString randomSuffix() {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  QString s;
  for (int i = 0; i < 6; ++i)
    s += QLatin1Char(kChars[QRandomGenerator::system()->bounded(int(sizeof(kChars) - 1))]);
  return s;
}

}  // namespace

int openFolder(const QString& path, QString& reason) {
  const int fd =
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) reason = systemReason(errno);
  return fd;
}

AtomicFile::AtomicFile(int dirFd, QString dirPath, QString name)
    : dirFd_(dirFd), dirPath_(std::move(dirPath)), name_(std::move(name)) {}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlinkat(dirFd_, QFile::encodeName(tempName_).constData(), 0);
  }
}

QString AtomicFile::path() const {
  return dirPath_.endsWith(u'/') ? dirPath_ + name_ : dirPath_ + u'/' + name_;
}

bool AtomicFile::fail(const QString& reason) {
  if (failure_.isEmpty()) failure_ = path() + QStringLiteral(": ") + reason;
  if (fd_ >= 0) {
    ::close(fd_);
    ::unlinkat(dirFd_, QFile::encodeName(tempName_).constData(), 0);
    fd_ = -1;
  }
  return false;
}

bool AtomicFile::checkTarget(Links links, struct stat* existing) {
  struct stat st {};
  if (::fstatat(dirFd_, QFile::encodeName(name_).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno == ENOENT) return true;
    return fail(systemReason(errno));
  }
  if (S_ISREG(st.st_mode) || (S_ISLNK(st.st_mode) && links == Links::Replace)) {
    if (existing && S_ISREG(st.st_mode)) *existing = st;
    return true;
  }
  return fail(describeFileType(st.st_mode));
}

bool AtomicFile::open(mode_t newFileMode, Links links) {
  if (dirFd_ < 0) return fail(QStringLiteral("the folder cannot be opened"));
  links_ = links;
  struct stat existing {};
  if (!checkTarget(links, &existing)) return false;
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName_ = name_ + u'.' + randomSuffix();
    const mode_t mode = existing.st_mode ? S_IRUSR | S_IWUSR : newFileMode;
    fd_ = ::openat(dirFd_, QFile::encodeName(tempName_).constData(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd_ >= 0) {
      if (existing.st_mode) {
        // The umask must not narrow a mode the user gave the file; root keeps the owner too.
        // What we write we must be able to read back: the owner keeps reading and writing.
        ::fchmod(fd_, (existing.st_mode & 07777) | S_IRUSR | S_IWUSR);
        if (::geteuid() == 0) (void)!::fchown(fd_, existing.st_uid, existing.st_gid);
      }
      return true;
    }
    if (errno != EEXIST) return fail(systemReason(errno));
  }
  return fail(QStringLiteral("no temporary file could be created"));
}

bool AtomicFile::write(QByteArrayView bytes) {
  if (fd_ < 0) return false;
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, data, size_t(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(n < 0 ? systemReason(errno) : QStringLiteral("nothing was written"));
    data += n;
    left -= n;
  }
  return true;
}

bool AtomicFile::commit() {
  if (fd_ < 0) return false;
  if (::fsync(fd_) != 0) return fail(systemReason(errno));
  if (::close(fd_) != 0) {
    fd_ = -1;
    const int error = errno;
    ::unlinkat(dirFd_, QFile::encodeName(tempName_).constData(), 0);
    return fail(systemReason(error));
  }
  fd_ = -1;
  const QByteArray temp = QFile::encodeName(tempName_);
  // Looked at again just before the rename: what stands there may have changed meanwhile.
  if (!checkTarget(links_, nullptr) ||
      ::renameat(dirFd_, temp.constData(), dirFd_, QFile::encodeName(name_).constData()) != 0) {
    const int error = errno;
    ::unlinkat(dirFd_, temp.constData(), 0);
    return failure_.isEmpty() ? fail(systemReason(error)) : false;
  }
  // The rename is durable only once the folder is flushed too.
  ::fsync(dirFd_);
  return true;
}

QString replaceFile(const QString& folder, const QString& name, QByteArrayView bytes,
                    mode_t newFileMode, AtomicFile::Links links) {
  QString reason;
  const int dirFd = openFolder(folder, reason);
  if (dirFd < 0) return folder + QStringLiteral(": ") + reason;
  QString failure;
  {
    AtomicFile file(dirFd, folder, name);
    if (!file.open(newFileMode, links) || !file.write(bytes) || !file.commit())
      failure = file.failure();
  }
  ::close(dirFd);
  return failure;
}

}  // namespace kwemo
