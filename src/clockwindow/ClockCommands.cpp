#include "clockwindow/ClockCommands.h"

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include "clock/ClockSettings.h"
#include "clockwindow/ClockWindowPort.h"
#include "clockwindow/FaceToolTip.h"
#include "clockwindow/KeyTable.h"
#include "clockwindow/Memo.h"
#include "clockwindow/TrayMessages.h"
#include "oldruntime/Uptime.h"

namespace kwemo {

namespace {

QString trueFalse(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

}  // namespace

ClockCommands::ClockCommands(ClockWindowPort& window, ClockSettings& settings, SettingsStore& store,
                             ClockPopupMenu::ItemFactory makeItem, Sources sources, QObject* parent)
    : QObject(parent),
      window_(window),
      settings_(settings),
      store_(store),
      sources_(std::move(sources)),
      menu_(std::make_unique<ClockPopupMenu>(std::move(makeItem))),
      memo_(store, *this) {
  connect(menu_.get(), &ClockPopupMenu::mPI_Clicked, this, &ClockCommands::mPI_Click);
  connect(menu_.get(), &ClockPopupMenu::mDM_Clicked, this, &ClockCommands::mDM_Click);
}

ClockCommands::~ClockCommands() = default;

void ClockCommands::mPI_Click(int Index) {
  using M = ClockPopupMenu;
  menu_->checkDrawMode(settings_.DrawMode);
  switch (Index) {
    case M::kAlwaysOnTop: {
      const bool onTop = !menu_->checked(M::kAlwaysOnTop);
      window_.SetTopMost(onTop);
      menu_->setChecked(M::kAlwaysOnTop, onTop);
      window_.ShowMsg(QStringLiteral("A.O.T : ") + trueFalse(onTop), 0);
      break;
    }
    case M::kMemoEdit:
      memo_.Open();
      break;
    case M::kMemoClear:
      memo_.Clear();
      break;
    case M::kMemoCopy:
      if (menu_->enabled(M::kMemoCopy)) memo_.Copy();
      break;
    case M::kClearClipboard:
      QGuiApplication::clipboard()->clear();
      window_.ShowMsg(QStringLiteral("Clipboard Cleared."), 0);
      break;
    case M::kSetting:
      window_.showSettings();
      window_.ShowMsg(QStringLiteral("Setting Mode."), 0);
      break;
    case M::kEllipticForm:
      if (!menu_->checked(M::kEllipticForm)) {
        menu_->setChecked(M::kEllipticForm, true);
        window_.ChangeRgn(true, false, false);
        window_.ShowMsg(QStringLiteral("Elliptic Form."), 0);
      } else {
        window_.ChangeRgn(false, false, false);
        menu_->setChecked(M::kEllipticForm, false);
        window_.ShowMsg(QStringLiteral("Normal Form."), 0);
      }
      break;
    case M::kHideInTray:
      if (menu_->checked(M::kHideInTray)) {
        window_.showClock();
      } else {
        // With no notification area the icon that brings the clock back is not there.
        if (!window_.trayAvailable()) return;
        window_.hideClock();
      }
      menu_->setChecked(M::kHideInTray, !menu_->checked(M::kHideInTray));
      break;
    case M::kAbout:
      window_.showAbout();
      break;
    case M::kEnd:
      // A second End while the farewell shows (another close request) would say it twice.
      if (ending_) break;
      ending_ = true;
      window_.ShowMsg(QStringLiteral("C-ya! :-)"), 300);
      window_.unloadClock();  // may end the program: nothing may follow
      break;
    default:
      break;
  }
}

void ClockCommands::mDM_Click(int Index) { settings_.DrawMode = static_cast<std::int16_t>(Index); }

bool ClockCommands::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift) {
  window_.setMsgActive(false);
  const KeyCommand command = LookUpKey(KeyCode, Shift, menu_->enabled(ClockPopupMenu::kMemoCopy));
  switch (command.kind) {
    case KeyCommand::MenuCommand:
      mPI_Click(command.index);
      return true;
    case KeyCommand::Uptime:
      showUptime();
      return true;
    case KeyCommand::None:
      break;
  }
  return false;
}

void ClockCommands::showUptime() {
  const std::int64_t ms = sources_.uptimeMs ? sources_.uptimeMs() : systemUptimeMs();
  window_.ShowMsg(UptimeText(ms), 0);
}

void ClockCommands::Form_MouseMove(int, int, int X, int) {
  switch (X) {
    case kTrayLeftDoubleClick:
      window_.showClock();
      menu_->setChecked(ClockPopupMenu::kHideInTray, false);
      break;
    case kTrayRightDown:
      window_.bringToFront();
      window_.letEventsRun();
      openMenu(QCursor::pos());
      break;
    default:
      break;
  }
}

void ClockCommands::trayActivated(QSystemTrayIcon::ActivationReason reason,
                                  bool statusNotifierHost) {
  Form_MouseMove(0, 0, TrayMessageFor(reason, statusNotifierHost), 0);
}

void ClockCommands::trayAreaGone() {
  // Hidden with no icon left to bring it back, the clock would be out of reach.
  if (menu_->checked(ClockPopupMenu::kHideInTray)) Form_MouseMove(0, 0, kTrayLeftDoubleClick, 0);
}

void ClockCommands::picPrev_MouseMove(QWidget& picPrev) {
  picPrev.setToolTip(FaceToolTip(sources_.now ? sources_.now() : QDateTime::currentDateTime()));
}

void ClockCommands::openMenu(const QPoint& globalPos) {
  menu_->refresh(ReadMemo(store_).title, settings_.DrawMode);
  window_.popUp(menu_->mnuPopup(), globalPos);
}

void ClockCommands::ShowMsg(const QString& Msg, int wait) { window_.ShowMsg(Msg, wait); }

void ClockCommands::setMemoItemsEnabled(bool enabled) { menu_->setMemoItemsEnabled(enabled); }

bool ClockCommands::memoCopyEnabled() const { return menu_->enabled(ClockPopupMenu::kMemoCopy); }

QWidget* ClockCommands::questionParent() const { return window_.questionParent(); }

}  // namespace kwemo
