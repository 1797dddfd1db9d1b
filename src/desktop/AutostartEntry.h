#pragma once

#include <QByteArray>
#include <QString>

namespace kwemo {

// The XDG autostart entry that starts the clock at login: autostart/kwemo.desktop under the
// user's configuration folder, which desktop environments also list in their start-up settings.
class AutostartEntry {
 public:
  // configHome: the folder holding autostart/; $XDG_CONFIG_HOME (or ~/.config) when empty.
  explicit AutostartEntry(QString configHome = {});

  QString path() const { return path_; }
  // An entry is there and not switched off (Hidden=true, as desktops' start-up settings write).
  bool isOn() const;
  // Writes the entry starting `program`, replacing any old one atomically.
  bool turnOn(const QString& program, QString* error);
  // Removes the entry; true when none is left.
  bool turnOff(QString* error);

  static QByteArray contents(const QString& program);
  // The program as one word of a desktop entry's Exec line.
  static QString execWord(const QString& program);

 private:
  QString path_;
};

}  // namespace kwemo
