#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace kwemo {

// The program's command line. A few options answer and end without a display and without
// touching a running clock; Qt's own window-system options (-display, -platform, -session...)
// pass through to the clock. Anything else is a usage error.
class CommandLine {
 public:
  enum class Action { RunClock, Help, Version, Autostart, Usage };

  explicit CommandLine(const QStringList& arguments);

  Action action() const { return action_; }
  // With Action::Autostart: on, off, or empty to report the current state.
  std::optional<bool> autostartWanted() const { return autostart_; }
  // With Action::Usage: what was wrong.
  QString errorText() const { return error_; }
  QString helpText() const { return parser_.helpText(); }

  // Prints the answer and gives the exit code (anything but RunClock). The usage line names
  // the running program, so a QCoreApplication should exist by then.
  int answer(std::FILE* out, std::FILE* err) const;

  static QString versionText();

 private:
  QCommandLineParser parser_;
  Action action_ = Action::RunClock;
  std::optional<bool> autostart_;
  QString error_;
};

}  // namespace kwemo
