#include "desktop/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace kwemo {

namespace {

// Characters that make a desktop entry's Exec word need quotes.
const QString kReserved = QStringLiteral(" \t\"'\\><~|&;$*?#()`");

}  // namespace

AutostartEntry::AutostartEntry(QString configHome) {
  if (configHome.isEmpty())
    configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  path_ = QDir(configHome).filePath(QStringLiteral("autostart/kwemo.desktop"));
}

bool AutostartEntry::isOn() const {
  QFile file(path_);
  if (!file.open(QIODevice::ReadOnly)) return false;
  // Entries are a few lines; a huge file is not ours and still counts as present.
  const QList<QByteArray> lines = file.read(64 * 1024).split('\n');
  for (const QByteArray& line : lines) {
    const QByteArray l = line.trimmed();
    if (l == "Hidden=true" || l == "X-GNOME-Autostart-enabled=false") return false;
  }
  return true;
}

QString AutostartEntry::execWord(const QString& program) {
  QString word = program;
  word.replace(u'%', QStringLiteral("%%"));
  if (std::any_of(word.begin(), word.end(), [](QChar c) { return kReserved.contains(c); })) {
    QString quoted;
    for (QChar c : word) {
      if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
      quoted += c;
    }
    word = u'"' + quoted + u'"';
  }
  // The value as a whole is a desktop-entry string, where a backslash is written twice.
  word.replace(u'\\', QStringLiteral("\\\\"));
  return word;
}

QByteArray AutostartEntry::contents(const QString& program) {
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=KWEMO\n"
             "Comment=A small analog clock for the desktop\n"
             "Exec=%1\n"
             "Icon=org.kwemo.KWEMO\n"
             "Terminal=false\n"
             "X-GNOME-Autostart-enabled=true\n")
      .arg(execWord(program))
      .toUtf8();
}

bool AutostartEntry::turnOn(const QString& program, QString* error) {
  if (program.contains(u'\n') || program.contains(u'\r')) {
    if (error) *error = QStringLiteral("the program's path holds a line break");
    return false;
  }
  if (!QDir().mkpath(QFileInfo(path_).path())) {
    if (error) *error = QStringLiteral("cannot create %1").arg(QFileInfo(path_).path());
    return false;
  }
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly) || file.write(contents(program)) < 0 || !file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

bool AutostartEntry::turnOff(QString* error) {
  QFile file(path_);
  if (!file.exists() || file.remove()) return true;
  if (error) *error = file.errorString();
  return false;
}

}  // namespace kwemo
