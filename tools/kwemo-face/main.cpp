// kwemo-face: draws the clock face for a given moment and size into a PNG file, with the look
// from a settings file (the clock's own KWEMO.ini) or, without one, the first-run look.
//
//   kwemo-face --time "2026-01-05 10:10:30" --size 120x120 --out face.png
//   kwemo-face --settings ~/.config/KWEMO/KWEMO.ini --scale 2 --out face@2x.png
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "clock/ClockSettings.h"
#include "clock/ClockSettingsStorage.h"
#include "clock/FaceRenderer.h"
#include "clock/FaceState.h"
#include "store/FileSettingsStore.h"
#include "surface/DrawSurface.h"
#include "surface/Fonts.h"

using namespace kwemo;

namespace {

constexpr int kMaxSide = 8192;

int fail(const QString& message, int code) {
  std::fprintf(stderr, "kwemo-face: %s\n", qPrintable(message));
  return code;
}

std::optional<QSize> parseSize(const QString& text) {
  static const QRegularExpression re(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
  const QRegularExpressionMatch m = re.match(text.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
  if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSide || size.height() > kMaxSide)
    return std::nullopt;
  return size;
}

std::optional<QDateTime> parseTime(const QString& text) {
  const QString t = text.trimmed();
  for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss"}) {
    const QDateTime dt = QDateTime::fromString(t, QLatin1String(format));
    if (dt.isValid()) return dt;
  }
  const QTime time = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
  if (time.isValid()) return QDateTime(QDate::currentDate(), time);
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  // Drawing needs no screen.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  QGuiApplication::setApplicationName(QStringLiteral("kwemo-face"));
  installFontSubstitutes();

  QCommandLineParser cli;
  cli.setApplicationDescription(
      QStringLiteral("Draws the KWEMO clock face for one moment into a PNG file."));
  cli.addHelpOption();
  const QCommandLineOption settingsOpt(
      QStringLiteral("settings"),
      QStringLiteral("The clock's settings file (KWEMO.ini) or its folder. Without it the "
                     "face has the first-run look."),
      QStringLiteral("path"));
  const QCommandLineOption timeOpt(QStringLiteral("time"),
                                   QStringLiteral("The moment, \"yyyy-MM-dd HH:mm:ss\" or "
                                                  "\"HH:mm:ss\" (default: now)."),
                                   QStringLiteral("time"));
  const QCommandLineOption sizeOpt(QStringLiteral("size"),
                                   QStringLiteral("Face size in pixels, WxH (default 120x120)."),
                                   QStringLiteral("size"), QStringLiteral("120x120"));
  const QCommandLineOption scaleOpt(QStringLiteral("scale"),
                                    QStringLiteral("Image pixels per face pixel, 1-4 (default "
                                                   "1), as on a high-DPI screen."),
                                    QStringLiteral("n"), QStringLiteral("1"));
  const QCommandLineOption outOpt(QStringLiteral("out"), QStringLiteral("The PNG file to write."),
                                  QStringLiteral("file"));
  cli.addOptions({settingsOpt, timeOpt, sizeOpt, scaleOpt, outOpt});
  cli.process(app);

  if (!cli.isSet(outOpt)) return fail(QStringLiteral("--out is required (see --help)"), 2);
  const std::optional<QSize> size = parseSize(cli.value(sizeOpt));
  if (!size) return fail(QStringLiteral("--size must be WxH, 1 to %1 a side").arg(kMaxSide), 2);
  bool scaleOk = false;
  const int scale = cli.value(scaleOpt).toInt(&scaleOk);
  if (!scaleOk || scale < 1 || scale > 4) return fail(QStringLiteral("--scale must be 1-4"), 2);
  QDateTime moment = QDateTime::currentDateTime();
  if (cli.isSet(timeOpt)) {
    const std::optional<QDateTime> t = parseTime(cli.value(timeOpt));
    if (!t) return fail(QStringLiteral("--time must be \"yyyy-MM-dd HH:mm:ss\""), 2);
    moment = *t;
  }

  ClockSettings settings;
  if (cli.isSet(settingsOpt)) {
    const QFileInfo info(cli.value(settingsOpt));
    if (!info.exists()) return fail(QStringLiteral("no such file: %1").arg(info.filePath()), 2);
    // The store reads <folder>/KWEMO.ini; a file of another name is read through a copy.
    QTemporaryDir copyDir;
    QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    const QString expected = settingsApplication() + QStringLiteral(".ini");
    if (info.isFile() && info.fileName().compare(expected, Qt::CaseInsensitive) != 0) {
      if (!copyDir.isValid() || !QFile::copy(info.absoluteFilePath(), copyDir.filePath(expected)))
        return fail(QStringLiteral("cannot read %1").arg(info.filePath()), 1);
      folder = copyDir.path();
    }
    const FileSettingsStore store(folder);
    LoadClockSettings(store, settings);
  } else {
    settings = FirstRunSettings();
  }

  FaceState state;
  DrawSurface surface(size->width(), size->height());
  surface.setDevicePixelRatio(scale);
  FaceRenderer renderer(settings, state, surface, nullptr, [&] { return moment; });
  // As at the clock's start: the first tick prepares the face from the record.
  state.NeedPrepare = true;
  renderer.DrawSnapshot(moment);

  const QString out = cli.value(outOpt);
  if (!surface.image().save(out, "PNG")) return fail(QStringLiteral("cannot write %1").arg(out), 1);
  return 0;
}
