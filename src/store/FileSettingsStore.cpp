#include "store/FileSettingsStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "store/AtomicFile.h"
#include "store/RegularFile.h"
#include "store/SettingsFileFormat.h"

namespace kwemo {

namespace {

bool validName(const QString& application) {
  if (application.isEmpty() || application.startsWith(u'.') || application.size() > 100)
    return false;
  for (const QChar c : application)
    if (!(c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.' || c == u' ')) return false;
  return true;
}

}  // namespace

QString FileSettingsStore::defaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/KWEMO");
}

FileSettingsStore::FileSettingsStore(QString folder) : folder_(std::move(folder)) {}

QString FileSettingsStore::filePath(const QString& application) const {
  if (!validName(application)) return {};
  return folder_ + u'/' + application + QStringLiteral(".ini");
}

FileSettingsStore::Stamp FileSettingsStore::stampOf(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
  return Stamp{true, static_cast<qint64>(st.st_size),
               static_cast<qint64>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
               static_cast<quint64>(st.st_ino)};
}

// Loads on first use and again whenever someone else replaced the file, unless writes of a
// batch are pending.
FileSettingsStore::AppFile* FileSettingsStore::file(const QString& application) const {
  const QString path = filePath(application);
  if (path.isEmpty()) return nullptr;
  AppFile& f = files_[path];
  if (!f.dirty && (!f.loaded || !(stampOf(path) == f.stamp))) load(path, f);
  return &f;
}

void FileSettingsStore::load(const QString& path, AppFile& f) const {
  f = AppFile{};
  f.loaded = true;
  f.stamp = stampOf(path);
  RegularFileRead in = readRegularFile(path, kMaxFileSize);
  using Status = RegularFileRead::Status;
  if (in.status == Status::Missing) return;
  if (in.status == Status::TooLarge)
    in.bytes.truncate(in.bytes.lastIndexOf('\n') + 1);  // a cut line would read wrong
  ParsedSettings parsed = parseSettingsFile(in.bytes);
  f.table = std::move(parsed.table);
  f.committed = f.table;
  f.complete = in.status == Status::Read && parsed.complete;
}

QString FileSettingsStore::read(const QString& application, const QString& section,
                                const QString& key) const {
  const AppFile* f = file(application);
  if (!f) return {};
  return f->table.value(section, key).value_or(QString());
}

bool FileSettingsStore::readCompletely(const QString& application) const {
  const AppFile* f = file(application);
  return f && f->complete;
}

bool FileSettingsStore::write(const QString& application, const QString& section,
                              const QString& key, const QString& text) {
  AppFile* f = section.isEmpty() || key.isEmpty() ? nullptr : file(application);
  if (!f) {
    lastFailure_ = QStringLiteral("%1/%2/%3: not a name a value can be stored under")
                       .arg(application, section, key);
    return false;
  }
  f->table.set(section, key, text);
  f->dirty = true;
  if (batchDepth_ > 0) return true;
  return flush(filePath(application), *f);
}

void FileSettingsStore::beginBatch() { ++batchDepth_; }

bool FileSettingsStore::endBatch() {
  if (batchDepth_ == 0 || --batchDepth_ > 0) return true;
  bool ok = true;
  for (auto& [path, f] : files_)
    if (f.dirty) ok = flush(path, f) && ok;
  return ok;
}

bool FileSettingsStore::writeTarget(const QString& path, QString& target, QString& reason) const {
  const QByteArray native = QFile::encodeName(path);
  struct stat st {};
  if (::lstat(native.constData(), &st) != 0) {
    if (errno != ENOENT) {
      reason = systemReason(errno);
      return false;
    }
    target = path;
    return true;
  }
  if (S_ISREG(st.st_mode)) {
    target = path;
    return true;
  }
  if (!S_ISLNK(st.st_mode)) {
    reason = describeFileType(st.st_mode);
    return false;
  }
  // A link to a regular file (a dotfile kept elsewhere, say) is followed; a link to anything
  // else, or to nothing, is left as it is.
  char* real = ::realpath(native.constData(), nullptr);
  if (!real) {
    reason = errno == ENOENT ? QStringLiteral("is a symbolic link that leads nowhere")
                             : systemReason(errno);
    return false;
  }
  target = QFile::decodeName(real);
  std::free(real);
  if (::lstat(QFile::encodeName(target).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
    reason = QStringLiteral("is a symbolic link to %1, which %2")
                 .arg(target, describeFileType(st.st_mode));
    return false;
  }
  return true;
}

// Keeps the damaged file under a new name beside `path`: a hard link to its data where possible
// (works even for a file we may not read), else a copy of its bytes. Never a copy of a link.
bool FileSettingsStore::keepCopyOfDamaged(const QString& path, const QString& target) const {
  const QString base = path + QStringLiteral(".damaged-") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  for (int n = 0; n < 100; ++n) {
    const QString copy = n == 0 ? base : base + u'-' + QString::number(n);
    const QByteArray native = QFile::encodeName(copy);
    if (::linkat(AT_FDCWD, QFile::encodeName(target).constData(), AT_FDCWD, native.constData(),
                 0) == 0)
      return true;
    if (errno == EEXIST) continue;
    QString reason;
    const int in = openRegularFile(target, reason);
    if (in < 0) return false;
    const int out = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    bool ok = out >= 0;
    char buffer[64 * 1024];
    ssize_t got = 0;
    while (ok && (got = ::read(in, buffer, sizeof buffer)) != 0) {
      ok = got > 0 && ::write(out, buffer, size_t(got)) == got;
    }
    ok = ok && ::fsync(out) == 0;
    ::close(in);
    if (out >= 0) ::close(out);
    if (!ok) ::unlink(native.constData());
    return ok;
  }
  return false;
}

// A writer killed between creating its temporary file and renaming it leaves the temporary
// behind (named <file>.XXXXXX). One older than any write could take is stale.
void FileSettingsStore::removeStaleTemporaries(const QString& path) {
  const QFileInfo target(path);
  const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-60);
  const auto candidates = target.dir().entryInfoList(
      {target.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
  for (const QFileInfo& info : candidates)
    if (info.lastModified().toUTC() < staleBefore) QFile::remove(info.filePath());
}

bool FileSettingsStore::flush(const QString& path, AppFile& f) {
  f.dirty = false;
  auto fail = [&](const QString& where, const QString& reason) {
    f.table = f.committed;
    lastFailure_ = where + QStringLiteral(": ") + reason;
    return false;
  };
  const QByteArray bytes = formatSettingsFile(f.table);
  if (bytes.size() > kMaxFileSize)
    return fail(path, QStringLiteral("the settings would be larger than %1 bytes, more than can "
                                     "be read back")
                          .arg(kMaxFileSize));
  if (!QDir().mkpath(folder_)) {
    QString reason;
    const int fd = openFolder(folder_, reason);
    if (fd >= 0) ::close(fd);
    return fail(folder_, reason.isEmpty() ? QStringLiteral("cannot be created") : reason);
  }
  QString target, reason;
  if (!writeTarget(path, target, reason)) return fail(path, reason);
  // Never replace a file that holds more than we could read without keeping it first.
  if (!f.complete && !f.kept && stampOf(target).exists) {
    if (!keepCopyOfDamaged(path, target))
      return fail(path, QStringLiteral("it could not be read whole, and no copy of it could be "
                                       "kept before replacing it"));
    f.kept = true;
  }

  const QFileInfo where(target);
  const QString failure = replaceFile(where.path(), where.fileName(), bytes, 0600);
  if (!failure.isEmpty()) {
    f.table = f.committed;
    lastFailure_ = failure;
    return false;
  }
  if (!f.swept) {
    removeStaleTemporaries(target);
    f.swept = true;
  }
  f.committed = f.table;
  f.complete = true;
  f.stamp = stampOf(path);
  return true;
}

}  // namespace kwemo
