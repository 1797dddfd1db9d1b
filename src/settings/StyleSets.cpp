#include "settings/StyleSets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "desktop/Prompts.h"
#include "settings/StyleSetFile.h"
#include "settings/StyleSetName.h"
#include "store/AtomicFile.h"
#include "store/RegularFile.h"

namespace kwemo {

namespace {

const QString kStyleFile = QStringLiteral("Style.kws");
const QString kPictureFile = QStringLiteral("Back.bmp");
const QString kSaveTitle = QStringLiteral("Save StyleSet");

// The whole file when it is a regular file of at most kStyleSetMaxBytes; nothing otherwise.
std::optional<QByteArray> readBounded(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  RegularFileRead in = readRegularFile(path, kStyleSetMaxBytes);
  if (in.status != RegularFileRead::Status::Read) return std::nullopt;
  return std::move(in.bytes);
}

QString failed(const QString& path, const QString& reason) {
  return QStringLiteral("%1: %2").arg(path, reason);
}

// The set's folder inside the style root, created when missing, opened without following a
// link, and checked to lie directly inside the root's real path. -1 with `error` set otherwise.
int openSetFolder(const QString& root, const QString& folderName, QString& error) {
  const QString setDir = root + folderName;
  if (!QDir().mkpath(root)) {
    error = failed(root, QStringLiteral("フォルダを作れません。"));
    return -1;
  }
  QString reason;
  const int rootFd = openFolder(root, reason);
  if (rootFd < 0) {
    error = failed(root, reason);
    return -1;
  }
  const QByteArray name = QFile::encodeName(folderName);
  int setFd = -1;
  if (::mkdirat(rootFd, name.constData(), 0777) != 0 && errno != EEXIST) {
    error = failed(setDir, systemReason(errno));
  } else if ((setFd = ::openat(rootFd, name.constData(),
                               O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) < 0) {
    error = failed(setDir, errno == ELOOP
                               ? QStringLiteral("リンクになっているフォルダには保存しません。")
                           : errno == ENOTDIR ? QStringLiteral("フォルダではありません。")
                                              : systemReason(errno));
  }
  ::close(rootFd);
  if (setFd < 0) return -1;
  // Whatever happened to the names meanwhile, the folder written into is the root's own child.
  const QString real = QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(setFd)).symLinkTarget();
  const QString realRoot = QFileInfo(root).canonicalFilePath();
  if (realRoot.isEmpty() || QFileInfo(real).path() != realRoot) {
    ::close(setFd);
    error = failed(setDir, QStringLiteral("スタイルセットのフォルダの外です。"));
    return -1;
  }
  return setFd;
}

// Copies the picture `from` into the set as `name`, replacing the entry only once the copy is
// complete. A link standing there is replaced, never written through.
bool copyPicture(const QString& from, int setFd, const QString& setDir, const QString& name,
                 QString& error) {
  QString reason;
  const int in = openRegularFile(from, reason);
  if (in < 0) {
    error = failed(from, reason);
    return false;
  }
  struct stat source {
  }, target{};
  ::fstat(in, &source);
  // Saving a set again with the picture it was loaded with: it is already there.
  if (::fstatat(setFd, QFile::encodeName(name).constData(), &target, AT_SYMLINK_NOFOLLOW) == 0 &&
      S_ISREG(target.st_mode) && target.st_dev == source.st_dev && target.st_ino == source.st_ino) {
    ::close(in);
    return true;
  }
  AtomicFile out(setFd, setDir, name);
  bool ok = out.open(0666, AtomicFile::Links::Replace);
  QByteArray chunk(64 * 1024, Qt::Uninitialized);
  while (ok) {
    const ssize_t n = ::read(in, chunk.data(), size_t(chunk.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = failed(from, systemReason(errno));
      ::close(in);
      return false;  // the unfinished copy is discarded with `out`
    }
    if (n == 0) break;
    ok = out.write(QByteArrayView(chunk.constData(), n));
  }
  ::close(in);
  if (ok && out.commit()) return true;
  error = out.failure();
  return false;
}

bool writeStyleFile(int setFd, const QString& setDir, const QString& name, const QByteArray& bytes,
                    QString& error) {
  AtomicFile out(setFd, setDir, name);
  if (out.open(0666, AtomicFile::Links::Replace) && out.write(bytes) && out.commit()) return true;
  error = out.failure();
  return false;
}

// The name of a file of the set: the existing one in whatever case, else the name as this
// program writes it.
QString fileInSet(const QString& setDir, const QString& name) {
  const QString found = findNoCase(setDir, name, EntryKind::File);
  return found.isEmpty() ? name : found;
}

}  // namespace

QString styleSetRoot() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/KWEMO/Style/");
}

QString findNoCase(const QString& folder, const QString& name, EntryKind kind) {
  const QDir dir(folder);
  if (folder.isEmpty() || name.isEmpty()) return {};
  const QDir::Filters filters =
      (kind == EntryKind::File ? QDir::Files : QDir::Dirs) | QDir::Hidden | QDir::NoDotAndDotDot;
  QString match;
  for (const QString& entry : dir.entryList(filters, QDir::Name)) {
    if (entry == name) return entry;
    if (match.isEmpty() && entry.compare(name, Qt::CaseInsensitive) == 0) match = entry;
  }
  return match;
}

StyleSetLoad loadStyleSet(const QString& root, const QString& entry, StyleSetValues& values,
                          QWidget* parent) {
  StyleSetLoad load;
  if (entry == kResetEntry) {
    resetLook(values);
    load.kind = StyleSetLoad::Kind::Reset;
    return load;
  }

  // A typed entry such as "../x" would reach outside the style root; it names no set.
  const QString setDir = isStyleSetFolderName(entry) ? root + entry + u'/' : QString();
  const QString picture =
      setDir.isEmpty() ? QString() : findNoCase(setDir, kPictureFile, EntryKind::File);
  const QString styleFile =
      setDir.isEmpty() ? QString() : findNoCase(setDir, kStyleFile, EntryKind::File);

  StyleSetValues read = values;
  const auto bytes = styleFile.isEmpty() ? std::nullopt : readBounded(setDir + styleFile);
  const StyleSetRead result = bytes ? readStyleSetFile(*bytes, read) : StyleSetRead{};
  if (!result.accepted) {
    prompts().MsgBox(parent, QStringLiteral("StyleSetファイルが見つからないか、不正です。"),
                     Buttons::Ok, Icon::Critical, QStringLiteral("Error"));
    load.kind = StyleSetLoad::Kind::Rejected;
    return load;
  }
  values = read;
  load.kind = StyleSetLoad::Kind::Loaded;
  load.errorNoted = picture.isEmpty() || result.failedFields > 0;
  if (!load.errorNoted) load.picturePath = setDir + picture;
  return load;
}

StyleSetSave saveStyleSet(const QString& root, const QString& typedName,
                          const StyleSetValues& values, const QString& picturePath,
                          QWidget* parent) {
  if (typedName.isEmpty()) return StyleSetSave::Cancelled;
  const QString name = typedName.trimmed();
  if (const auto why = styleSetNameProblem(name)) {
    prompts().MsgBox(parent, QStringLiteral("スタイルセットを保存できません。\n") + *why,
                     Buttons::Ok, Icon::Warning, kSaveTitle);
    return StyleSetSave::Refused;
  }

  // The same name in another case is the same set, as it was on the old file system.
  const QString existing = findNoCase(root, name, EntryKind::Folder);
  const QString folderName = existing.isEmpty() ? name : existing;
  const QString setDir = root + folderName + u'/';
  QStringList errors;
  QString error;
  const int setFd = openSetFolder(root, folderName, error);
  if (setFd < 0) {
    errors << error;
  } else {
    if (!picturePath.isEmpty() &&
        !copyPicture(picturePath, setFd, setDir, fileInSet(setDir, kPictureFile), error))
      errors << error;
    if (!writeStyleFile(setFd, setDir, fileInSet(setDir, kStyleFile), writeStyleSetFile(values),
                        error))
      errors << error;
    ::close(setFd);
  }
  if (errors.isEmpty()) return StyleSetSave::Saved;
  prompts().MsgBox(parent,
                   QStringLiteral("スタイルセットを保存できませんでした。\n") + errors.join(u'\n'),
                   Buttons::Ok, Icon::Critical, kSaveTitle);
  return StyleSetSave::Failed;
}

}  // namespace kwemo
