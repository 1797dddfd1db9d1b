#include "settings/StyleSets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "desktop/Prompts.h"
#include "settings/StyleSetFile.h"
#include "settings/StyleSetName.h"

namespace kwemo {

namespace {

const QString kStyleFile = QStringLiteral("Style.kws");
const QString kPictureFile = QStringLiteral("Back.bmp");
const QString kSaveTitle = QStringLiteral("Save StyleSet");

// The whole file when it is a regular file of at most kStyleSetMaxBytes; nothing otherwise.
std::optional<QByteArray> readBounded(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isFile() || info.size() > kStyleSetMaxBytes) return std::nullopt;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray bytes = file.read(kStyleSetMaxBytes + 1);
  if (bytes.size() > kStyleSetMaxBytes) return std::nullopt;
  return bytes;
}

// Copies `from` to `to` byte for byte, replacing `to` only once the copy is complete.
bool copyAtomically(const QString& from, const QString& to, QString& error) {
  const QFileInfo source(from);
  if (!source.isFile()) {
    error = QStringLiteral("%1: ファイルがありません。").arg(from);
    return false;
  }
  const QFileInfo target(to);
  if (target.exists() && source.canonicalFilePath() == target.canonicalFilePath()) return true;
  QFile in(from);
  QSaveFile out(to);
  if (!in.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("%1: %2").arg(from, in.errorString());
    return false;
  }
  if (!out.open(QIODevice::WriteOnly)) {
    error = QStringLiteral("%1: %2").arg(to, out.errorString());
    return false;
  }
  QByteArray chunk;
  while (!(chunk = in.read(64 * 1024)).isEmpty()) {
    if (out.write(chunk) != chunk.size()) break;
  }
  if (in.error() != QFileDevice::NoError) {
    error = QStringLiteral("%1: %2").arg(from, in.errorString());
    return false;  // the unfinished copy is discarded with `out`
  }
  if (!out.commit()) {
    error = QStringLiteral("%1: %2").arg(to, out.errorString());
    return false;
  }
  return true;
}

bool writeAtomically(const QString& path, const QByteArray& bytes, QString& error) {
  QSaveFile out(path);
  if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit())
    return true;
  error = QStringLiteral("%1: %2").arg(path, out.errorString());
  return false;
}

// A file of the set: the existing one in whatever case, else the name as this program writes it.
QString fileInSet(const QString& setDir, const QString& name) {
  const QString found = findNoCase(setDir, name, EntryKind::File);
  return setDir + (found.isEmpty() ? name : found);
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
  const QString setDir = root + (existing.isEmpty() ? name : existing) + u'/';
  QStringList errors;
  if (!QDir().mkpath(setDir)) {
    errors << QStringLiteral("%1: フォルダを作れません。").arg(setDir);
  } else {
    QString error;
    if (!picturePath.isEmpty() &&
        !copyAtomically(picturePath, fileInSet(setDir, kPictureFile), error))
      errors << error;
    if (!writeAtomically(fileInSet(setDir, kStyleFile), writeStyleSetFile(values), error))
      errors << error;
  }
  if (errors.isEmpty()) return StyleSetSave::Saved;
  prompts().MsgBox(parent,
                   QStringLiteral("スタイルセットを保存できませんでした。\n") + errors.join(u'\n'),
                   Buttons::Ok, Icon::Critical, kSaveTitle);
  return StyleSetSave::Failed;
}

}  // namespace kwemo
