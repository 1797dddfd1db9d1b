#include "clockwindow/ClockWindowCommands.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>

#include "about/frmAbout.h"
#include "clock/ClockSettingsStorage.h"
#include "clockwindow/ClockTrayIcon.h"
#include "clockwindow/SaveFailure.h"
#include "clockwindow/frmClock.h"
#include "desktop/SetTopMost.h"
#include "desktop/ShowActivated.h"
#include "oldruntime/Rounding.h"
#include "settings/frmSetting.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

ClockWindowCommands::ClockWindowCommands(frmClock& clock, ClockCommands::Sources sources)
    : QObject(&clock), clock_(clock) {
  commands_ = std::make_unique<ClockCommands>(*this, clock.settings(), clock.store(),
                                              &clock.menuItems(), std::move(sources));

  // The window sees every key before its children do.
  clock.installEventFilter(this);
  for (QWidget* child : clock.findChildren<QWidget*>()) child->installEventFilter(this);

  // The right button on the strip opens the menu; the face's press is ours.
  connect(&clock, &frmClock::popupMenuRequested, this,
          [this](const QPoint& at) { commands_->openMenu(at); });
  ClockTrayIcon& tray = clock.trayIcon();
  // Queued: the icon's own event handler must have returned before a command runs, since End
  // removes the icon, and the menu opened here may be where End is chosen.
  connect(
      &tray.icon(), &QSystemTrayIcon::activated, this,
      [this, &tray](QSystemTrayIcon::ActivationReason reason) {
        commands_->trayActivated(reason, tray.speaksStatusNotifier());
      },
      Qt::QueuedConnection);
  connect(&tray, &ClockTrayIcon::areaGone, this, [this] { commands_->trayAreaGone(); });
  connect(&clock, &frmClock::clientResized, this, [](float SW, float SH) {
    SettingsClockResized(QSize(toInt32Clamped(SW), toInt32Clamped(SH)));
  });
}

ClockWindowCommands::~ClockWindowCommands() = default;

bool ClockWindowCommands::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (commands_->Form_KeyDown(key->key(), key->modifiers())) return true;
      break;
    }
    case QEvent::MouseMove:
      if (clock_.isFace(watched)) commands_->picPrev_MouseMove(*static_cast<QWidget*>(watched));
      break;
    case QEvent::Close:
      // The window manager's close request (Alt+F4, the task list) is the user ending the clock:
      // the same End command, farewell included. It closes the window itself, once this close
      // has been turned down (a close inside a close is ignored).
      if (watched == &clock_ && event->spontaneous() && !clock_.shutDown()) {
        event->ignore();
        QMetaObject::invokeMethod(
            this, [this] { commands_->mPI_Click(ClockPopupMenu::kEnd); }, Qt::QueuedConnection);
        return true;
      }
      break;
    case QEvent::MouseButtonPress:
      if (clock_.isFace(watched) && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        commands_->openMenu(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void ClockWindowCommands::ShowMsg(const QString& Msg, int wait) { clock_.ShowMsg(Msg, wait); }
void ClockWindowCommands::setMsgActive(bool active) { clock_.setMsgActive(active); }
void ClockWindowCommands::SetTopMost(bool onTop) { clock_.SetTopMost(onTop); }
void ClockWindowCommands::ChangeRgn(bool mode, bool msgmode, bool delreg) {
  clock_.ChangeRgn(mode, msgmode, delreg);
}
void ClockWindowCommands::showClock() {
  // Shown and activated, as a shown form is; openbox leaves a re-shown window that asks for
  // nothing more unmapped.
  ShowActivated(clock_);
}
void ClockWindowCommands::hideClock() { clock_.hide(); }
bool ClockWindowCommands::trayAvailable() const {
  return ClockTrayIcon::areaAvailable() && clock_.trayIcon().isAdded();
}
void ClockWindowCommands::unloadClock() { clock_.close(); }
void ClockWindowCommands::showSettings() { ShowSettings(clock_.settings(), *this); }
void ClockWindowCommands::showAbout() { ShowAbout(&clock_); }

void ClockWindowCommands::bringToFront() {
  if (!clock_.isVisible()) return;
  clock_.raise();
  clock_.activateWindow();
}

void ClockWindowCommands::letEventsRun() { QCoreApplication::processEvents(); }
void ClockWindowCommands::popUp(QMenu& menu, const QPoint& globalPos) { menu.exec(globalPos); }
QWidget* ClockWindowCommands::questionParent() const {
  return clock_.isVisible() ? &clock_ : nullptr;
}

QSize ClockWindowCommands::ClientSize() const { return clock_.clientSize(); }

void ClockWindowCommands::SetClientSize(QSize size) {
  const int frame = 2 * frmClock::kFrameWidth;
  clock_.resize(size.width() + frame, size.height() + frame);
  clock_.Form_Resize();
}

FaceState& ClockWindowCommands::Face() { return clock_.faceState(); }

QString ClockWindowCommands::DrawModeCaption(int mode) const {
  return ClockPopupMenu::drawModeCaption(mode);
}

void ClockWindowCommands::SetTopMost(QWidget* window, bool onTop, QWidget* after) {
  if (window) kwemo::SetTopMost(*window, onTop, after);
}

void ClockWindowCommands::SaveSettings(QWidget* dialog) {
  if (SaveClockSettings(clock_.store(), clock_.settings(), clock_.windowState())) return;
  reportFailedSave(dialog, QStringLiteral("設定を保存できませんでした。"),
                   QStringLiteral("KWEMO Setting"), clock_.store());
}

}  // namespace kwemo
