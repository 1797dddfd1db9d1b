#include "store/FileSettingsStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

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

// The rename of a replaced file is durable only once its folder is flushed as well.
void syncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
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
  if (!f.stamp.exists) return;
  QFile in(path);
  if (!in.open(QIODevice::ReadOnly)) {
    f.complete = false;
    return;
  }
  QByteArray bytes = in.read(kMaxFileSize);
  bool complete = in.error() == QFileDevice::NoError;
  if (!in.atEnd() || in.size() > kMaxFileSize) {
    complete = false;
    bytes.truncate(bytes.lastIndexOf('\n') + 1);  // a cut line would read wrong
  }
  ParsedSettings parsed = parseSettingsFile(bytes);
  f.table = std::move(parsed.table);
  f.committed = f.table;
  f.complete = complete && parsed.complete;
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
  if (section.isEmpty() || key.isEmpty()) return false;
  AppFile* f = file(application);
  if (!f) return false;
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

// Keeps the damaged file under a new name, as a hard link where possible (works even for a file
// we may not read), else as a copy.
bool FileSettingsStore::keepCopyOfDamaged(const QString& path) const {
  const QString base = path + QStringLiteral(".damaged-") +
                       QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  for (int n = 0; n < 100; ++n) {
    const QString target = n == 0 ? base : base + u'-' + QString::number(n);
    if (QFile::exists(target)) continue;
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(target).constData()) == 0)
      return true;
    if (QFile::copy(path, target)) return true;
    return false;
  }
  return false;
}

// A writer killed between creating its temporary file and renaming it leaves the temporary
// behind (QSaveFile names it <file>.XXXXXX). One older than any write could take is stale.
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
  auto fail = [&] {
    f.table = f.committed;
    return false;
  };
  const QByteArray bytes = formatSettingsFile(f.table);
  if (bytes.size() > kMaxFileSize) return fail();
  if (!QDir().mkpath(folder_)) return fail();
  // Never replace a file that holds more than we could read without keeping it first.
  if (!f.complete && !f.kept && stampOf(path).exists) {
    if (!keepCopyOfDamaged(path)) return fail();
    f.kept = true;
  }

  const bool fresh = !stampOf(path).exists;
  QSaveFile out(path);
  if (!out.open(QIODevice::WriteOnly)) return fail();
  // The memo may be private; a new file is the user's alone (an existing one keeps its mode).
  if (fresh) out.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  if (out.write(bytes) != bytes.size() || !out.flush() || ::fsync(out.handle()) != 0) {
    out.cancelWriting();
    out.commit();
    return fail();
  }
  if (!out.commit()) return fail();
  syncFolder(folder_);
  if (!f.swept) {
    removeStaleTemporaries(path);
    f.swept = true;
  }
  f.committed = f.table;
  f.complete = true;
  f.stamp = stampOf(path);
  return true;
}

}  // namespace kwemo
