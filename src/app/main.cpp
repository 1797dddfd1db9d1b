// The entry routine: answers the command line, picks the display, ends a second launch, loads the
// clock window and runs until it closes.
#include <QApplication>
#include <QSessionManager>

#include <cstdio>
#include <memory>

#include "clock/ClockSettings.h"
#include "clock/ClockSettingsStorage.h"
#include "clockwindow/ClockWindowCommands.h"
#include "clockwindow/frmClock.h"
#include "desktop/CommandLine.h"
#include "desktop/DisplayCheck.h"
#include "desktop/DisplaySendBuffer.h"
#include "desktop/QtTranslations.h"
#include "desktop/QuitSignals.h"
#include "desktop/SingleInstance.h"
#include "desktop/Twips.h"
#include "store/FileSettingsStore.h"
#include "surface/Fonts.h"

namespace {

// Whether the stored window holds more than 2 MiB of pixels (about 725 px square), taken at
// 96 dpi: the screen is not known yet.
bool largeStoredFace(const kwemo::SettingsStore& store) {
  const auto placement = kwemo::LoadPlacement(store);
  if (!placement) return false;
  const double perPixel = kwemo::kTwipsPerInch / 96;
  const double pixels = static_cast<double>(kwemo::twipsToPixels(placement->Width, perPixel)) *
                        kwemo::twipsToPixels(placement->Height, perPixel);
  return pixels * 4 > 2 * 1024 * 1024;
}

}  // namespace

int main(int argc, char** argv) {
  // Options answer before any display or running clock is looked at.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const kwemo::CommandLine commandLine(arguments);
  if (commandLine.action() != kwemo::CommandLine::Action::RunClock) {
    QCoreApplication cli(argc, argv);
    return commandLine.answer(stdout, stderr);
  }

  auto display = std::make_unique<kwemo::DisplayCheck>();
  if (const auto problem = display->prepare()) {
    std::fprintf(stderr, "%s\n", problem->c_str());
    return 1;
  }
  std::jthread fontSetUp = kwemo::startFontSetUp();
  kwemo::FileSettingsStore store;
  // Pushing through shared memory costs the program two more wake-ups a second; a small face's
  // pushes are cheaper to send. A large one is worth it: sent, its pixels would also keep a
  // second full-size copy in Qt's upload buffer for the whole run. Programs started from here
  // (links) get the environment as it was.
  const bool noShm = !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM") && !largeStoredFace(store);
  if (noShm) qputenv("QT_XCB_NO_MITSHM", "1");
  QApplication app(argc, argv);
  if (noShm) qunsetenv("QT_XCB_NO_MITSHM");
  display.reset();
  kwemo::widenDisplaySendBuffer();
  const kwemo::QtTranslations qtTranslations;
  QApplication::setApplicationName(QStringLiteral("KWEMO"));
  QApplication::setDesktopFileName(QStringLiteral("org.kwemo.KWEMO"));
  // The clock ends when its window closes, not when the splash or a dialog does.
  QApplication::setQuitOnLastWindowClosed(false);

  kwemo::SingleInstance instance;
  if (instance.claim() == kwemo::SingleInstance::Role::Second) {
    if (instance.askFirstToShow()) return 0;
    // A copy holds the lock but does not answer (hung, or stopped): say so rather than vanish.
    std::fprintf(stderr,
                 "kwemo: another KWEMO is running (it holds %s) but does not answer; "
                 "not starting a second one\n",
                 qUtf8Printable(instance.lockPath()));
    return 1;
  }
  fontSetUp = {};  // joined: Qt's own fontconfig calls come next
  kwemo::installFontSubstitutes();

  kwemo::ClockSettings settings;
  bool ended = false;
  kwemo::frmClock clock(settings, store, [&ended] {
    ended = true;
    QCoreApplication::exit(0);
  });

  // The menu, keys, notification-area icon and tooltip; owned by the clock window.
  new kwemo::ClockWindowCommands(clock);

  QObject::connect(&instance, &kwemo::SingleInstance::showRequested, &clock,
                   &kwemo::frmClock::showRequested);
  kwemo::QuitSignals quitSignals;
  QObject::connect(&quitSignals, &kwemo::QuitSignals::quitRequested, &clock,
                   [&clock] { clock.close(); });
  // Logging out through a session manager closes the clock like any other close.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &clock,
                   [&clock](QSessionManager&) { clock.close(); });

  clock.Form_Load();
  if (ended) return 0;
  return QApplication::exec();
}
