// Writes the seeds of every fuzz target's corpus into <folder>/<target>/: small valid inputs made
// by the program's own writers, and the picture tests' own files of every kind.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstring>
#include <functional>

#include "settings/StyleSetFile.h"
#include "store/SettingsFileFormat.h"

namespace {

// A small picture in one of Qt's own formats.
QByteArray savedByQt(const char* format) {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return out;
}

// The patterns target's input: one byte for date (odd) or number (even), eight of value, the
// pattern.
QByteArray patternInput(bool date, double value, const char* pattern) {
  QByteArray input(1, date ? 1 : 0);
  if (date) {
    const qint64 seconds = static_cast<qint64>(value) + 62'135'596'800LL;
    input.append(reinterpret_cast<const char*>(&seconds), sizeof seconds);
  } else {
    input.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  return input + pattern;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s folder\n", argv[0]);
    return 2;
  }
  kwemo::SettingsTable table;
  table.set("Setting", "Runed", "True");
  table.set("Setting", "BackBMP", "/home/user/Pictures/back ground.bmp");
  table.set("Color", "BG_R", "255");
  table.set("Memo", "Text", " two lines\r\n\twith = [signs] ; \\ and \x01 and 画像 ");
  table.set("Odd[name]=", "#key;", "");
  kwemo::StyleSetValues style;
  style.txtDF = "yyyy\"年\"m\"月\"d\"日\" (aaa) hh:nn";
  style.cmbFonts = "Arial";
  const struct {
    const char* target;
    const char* name;
    std::function<QByteArray()> bytes;
  } seeds[] = {
      {"settings_file", "seed-written", [&] { return kwemo::formatSettingsFile(table); }},
      {"settings_file", "seed-by-hand",
       [] {
         return QByteArray(
             "; comment\r\n[Position]\nLeft = 3000\n\n# "
             "other\n[Memo]\nTitle=\\sa\\u00e9\\x7f\\q\n");
       }},
      {"style_set", "seed-initial",
       [] { return kwemo::writeStyleSetFile(kwemo::StyleSetValues{}); }},
      {"style_set", "seed-changed", [&] { return kwemo::writeStyleSetFile(style); }},
      {"patterns", "seed-date-short", [] { return patternInput(true, 1'700'000'000, "m/d h:nn"); }},
      {"patterns", "seed-date-long",
       [] {
         return patternInput(true, 951'782'400, "dddd, mmmm dd, yyyy \"at\" hh:nn:ss AM/PM ww q c");
       }},
      {"patterns", "seed-date-named", [] { return patternInput(true, 0, "long date;ttttt"); }},
      {"patterns", "seed-number-grouped",
       [] { return patternInput(false, -1234567.891, "#,##0.00;(#,##0.00);\"zero\""); }},
      {"patterns", "seed-number-percent", [] { return patternInput(false, 0.125, "0.0%\\x"); }},
      {"conversions", "seed-double", [] { return QByteArray("-12.5e+3"); }},
      {"conversions", "seed-int", [] { return QByteArray("32767"); }},
      {"conversions", "seed-bool", [] { return QByteArray("tRuE"); }},
      {"conversions", "seed-val", [] { return QByteArray(" 1 2.5\u3000e1x"); }},
      {"pictures", "seed-bmp", [] { return savedByQt("bmp"); }},
      {"pictures", "seed-jpeg", [] { return savedByQt("jpeg"); }},
  };
  for (const auto& seed : seeds) {
    const QString folder = QString::fromLocal8Bit(argv[1]) + "/" + seed.target;
    QDir().mkpath(folder);
    QFile file(folder + "/" + seed.name);
    const QByteArray data = seed.bytes();
    if (data.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
      std::fprintf(stderr, "could not write %s/%s\n", seed.target, seed.name);
      return 1;
    }
  }
  // The picture tests' files of every kind, as they are.
  const QDir pictures(QStringLiteral(KWEMO_PICTURE_DATA));
  const QString folder = QString::fromLocal8Bit(argv[1]) + "/pictures/";
  for (const QString& name : pictures.entryList({"*.bmp", "*.gif", "*.ico", "*.cur", "*.?mf"})) {
    QFile::remove(folder + "seed-" + name);
    if (!QFile::copy(pictures.filePath(name), folder + "seed-" + name)) {
      std::fprintf(stderr, "could not copy %s\n", qPrintable(name));
      return 1;
    }
  }
  return 0;
}
