#include "desktop/CommandLine.h"

#include <QCoreApplication>
#include <QFile>

#include "desktop/AutostartEntry.h"

namespace kwemo {

namespace {

// Qt's own options, read by QGuiApplication and the X11 platform; they reach the clock unchanged.
const char* const kQtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "name",
    "style",       "stylesheet",         "geometry",      "title",   "dialogs",
    "fontengine",  "qmljsdebugger",
};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void print(std::FILE* to, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), to);
  std::fflush(to);
}

}  // namespace

CommandLine::CommandLine(const QStringList& arguments) {
  // Qt's options are single-dash words (-display, -platform); so are ours then (-h, -v).
  parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser_.setApplicationDescription(QStringLiteral(
      "KWEMO, a small analog clock for the desktop. Without options it starts the clock, or\n"
      "brings the one already running into view."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help and ends."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Shows the version and ends."));
  const QCommandLineOption autostart(
      QStringLiteral("autostart"),
      QStringLiteral("Starts the clock at every login (on) or no longer (off), through an XDG\n"
                     "autostart entry; alone, tells whether it does. Ends without starting\n"
                     "a clock."));
  parser_.addOption(help);
  parser_.addOption(version);
  parser_.addOption(autostart);
  parser_.addPositionalArgument(QStringLiteral("on|off"),
                                QStringLiteral("With --autostart: switch it on or off."),
                                QStringLiteral("[--autostart [on|off]]"));
  for (const char* name : kQtValueOptions) {
    QCommandLineOption o(QString::fromLatin1(name), {}, QStringLiteral("value"));
    o.setFlags(QCommandLineOption::HiddenFromHelp);
    parser_.addOption(o);
  }
  for (const char* name : kQtFlagOptions) {
    QCommandLineOption o(QString::fromLatin1(name));
    o.setFlags(QCommandLineOption::HiddenFromHelp);
    parser_.addOption(o);
  }

  if (!parser_.parse(arguments)) {
    action_ = Action::Usage;
    error_ = parser_.errorText();
    return;
  }
  const QStringList words = parser_.positionalArguments();
  if (parser_.isSet(help)) {
    action_ = Action::Help;
  } else if (parser_.isSet(version)) {
    action_ = Action::Version;
  } else if (parser_.isSet(autostart)) {
    action_ = Action::Autostart;
    if (words.size() > 1) {
      action_ = Action::Usage;
      error_ = QStringLiteral("--autostart takes one word: on or off.");
    } else if (words.size() == 1) {
      if (words[0] == QLatin1String("on")) {
        autostart_ = true;
      } else if (words[0] == QLatin1String("off")) {
        autostart_ = false;
      } else {
        action_ = Action::Usage;
        error_ = QStringLiteral("--autostart takes on or off, not '%1'.").arg(words[0]);
      }
    }
  } else if (!words.isEmpty()) {
    action_ = Action::Usage;
    error_ = QStringLiteral("Unexpected argument '%1'.").arg(words[0]);
  }
}

QString CommandLine::versionText() {
  return QStringLiteral("KWEMO %1\n").arg(QStringLiteral(KWEMO_VERSION));
}

int CommandLine::answer(std::FILE* out, std::FILE* err) const {
  switch (action_) {
    case Action::RunClock:
      return 0;
    case Action::Help:
      print(out, helpText());
      return 0;
    case Action::Version:
      print(out, versionText());
      return 0;
    case Action::Usage:
      print(err, QStringLiteral("kwemo: %1\n\n").arg(error_) + helpText());
      return 2;
    case Action::Autostart:
      break;
  }
  AutostartEntry entry;
  QString problem;
  if (!autostart_) {
    print(out, entry.isOn() ? QStringLiteral("KWEMO starts at login (%1).\n").arg(entry.path())
                            : QStringLiteral("KWEMO does not start at login (no entry in %1).\n")
                                  .arg(entry.path()));
    return 0;
  }
  if (*autostart_) {
    if (!entry.turnOn(QCoreApplication::applicationFilePath(), &problem)) {
      print(err, QStringLiteral("kwemo: cannot write %1: %2\n").arg(entry.path(), problem));
      return 1;
    }
    print(out, QStringLiteral("KWEMO will start at login: wrote %1.\n").arg(entry.path()));
    return 0;
  }
  const bool wasThere = QFile::exists(entry.path());
  if (!entry.turnOff(&problem)) {
    print(err, QStringLiteral("kwemo: cannot remove %1: %2\n").arg(entry.path(), problem));
    return 1;
  }
  print(
      out,
      wasThere
          ? QStringLiteral("KWEMO will not start at login: removed %1.\n").arg(entry.path())
          : QStringLiteral("KWEMO does not start at login (no entry in %1).\n").arg(entry.path()));
  return 0;
}

}  // namespace kwemo
