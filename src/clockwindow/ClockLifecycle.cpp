#include "clockwindow/ClockLifecycle.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "clock/ClockSettingsStorage.h"
#include "clockwindow/ClockTrayIcon.h"
#include "clockwindow/SaveFailure.h"
#include "clockwindow/WindowPlacement.h"
#include "clockwindow/frmClock.h"
#include "clockwindow/frmLoading.h"
#include "desktop/LastChance.h"
#include "desktop/Prompts.h"
#include "desktop/SetTopMost.h"
#include "desktop/Twips.h"

namespace kwemo {

ClockLifecycle::ClockLifecycle(frmClock& window, std::function<void()> endProgram)
    : window_(window), endProgram_(std::move(endProgram)) {}

ClockLifecycle::~ClockLifecycle() {
  // The last-chance save refers to this window; it must not outlive it.
  if (armed_) LastChance::disarm();
}

void ClockLifecycle::startUp() {
  ClockSettings& settings = window_.settings();
  SettingsStore& store = window_.store();
  ClockMenuItems& items = window_.menuItems();

  settings.DrawMode = 13;

  auto* splash = new frmLoading;
  splash->setAttribute(Qt::WA_DeleteOnClose);
  splash->Form_Load();
  SetTopMost(*splash, false);
  window_.setSplash(splash);

  window_.faceState().NeedPrepare = true;

  const LoadOutcome loaded = LoadClockSettings(store, settings);
  if (loaded.alwaysOnTop) {
    items.setChecked(ClockMenuItems::kAlwaysOnTop, true);
    window_.SetTopMost(true);
  }
  if (loaded.firstRun) {
    prompts().MsgBox(nullptr, QStringLiteral("Welcome to KWEMO World! :-)"), Buttons::Ok,
                     Icon::Information, QStringLiteral("Hello!"));
    // The box runs events: a quit request may have closed the clock meanwhile.
    if (done_) return;
    SettingsBatch batch(store);
    store.write(settingsApplication(), QStringLiteral("Memo"), QStringLiteral("Title"), {});
    store.write(settingsApplication(), QStringLiteral("Memo"), QStringLiteral("Memo"), {});
  }

  window_.computeFrameOffset();

  if (LoadRgnMode(store)) {
    items.setChecked(ClockMenuItems::kEllipticForm, true);
    window_.ChangeRgn(true, false, false);
  }

  restorePlacement();

  // From here on a display that goes away still leaves everything saved.
  armed_ = true;
  LastChance::arm([this] {
    if (!done_) {
      done_ = true;
      save();
    }
  });

  window_.Timer1().start(frmClock::kTimerInterval);
  window_.Timer1_Timer();
  // The notification-area icon takes round trips to the X server or the session bus; the clock
  // shows first. The greeting's events may have ended the program meanwhile.
  if (!done_) window_.trayIcon().add();
}

void ClockLifecycle::restorePlacement() {
  const std::optional<StoredPlacement> stored = LoadPlacement(window_.store());
  if (!stored) return;
  const QRect wanted =
      geometryFromTwips(stored->Left, stored->Top, stored->Width, stored->Height,
                        twipsPerPixelX(window_), twipsPerPixelY(window_), window_.minimumSize());
  // A position on a monitor that is no longer there would leave the clock out of reach.
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.append(screen->availableGeometry());
  }
  window_.setGeometry(QRect(bringOntoScreens(wanted, screens), wanted.size()));
  window_.Form_Resize();
}

bool ClockLifecycle::save() {
  if (SaveClockSettings(window_.store(), window_.settings(), window_.windowState())) return true;
  reportFailedShutDownSave(window_.store());
  return false;
}

void ClockLifecycle::shutDown() {
  if (done_) return;
  done_ = true;
  LastChance::disarm();
  armed_ = false;
  save();
  window_.trayIcon().remove();
  QCoreApplication::processEvents();
  if (endProgram_) endProgram_();
}

}  // namespace kwemo
