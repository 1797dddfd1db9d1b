#pragma once

#include <QDateTime>
#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

#include <cstdint>
#include <functional>
#include <memory>

#include "clockwindow/ClockPopupMenu.h"
#include "clockwindow/MemoCommands.h"
#include "clockwindow/MemoHost.h"

class QWidget;

namespace kwemo {

class ClockWindowPort;
class SettingsStore;
struct ClockSettings;

// The clock window's commands: the popup menu with its handlers (`mPI_Click`, `mDM_Click`), the
// key handler (`Form_KeyDown`), the notification-area icon's messages (`Form_MouseMove`), the
// face's tooltip and the memo commands.
class ClockCommands : public QObject, public MemoHost {
  Q_OBJECT

 public:
  struct Sources {
    std::function<std::int64_t()> uptimeMs;  // empty: the system's uptime
    std::function<QDateTime()> now;          // empty: the local time
  };

  // window, settings and store outlive the commands; makeItem as for ClockPopupMenu.
  ClockCommands(ClockWindowPort& window, ClockSettings& settings, SettingsStore& store,
                ClockPopupMenu::ItemFactory makeItem = {}, Sources sources = {},
                QObject* parent = nullptr);
  ~ClockCommands() override;

  ClockPopupMenu& menu() { return *menu_; }
  MemoCommands& memo() { return memo_; }

  void mPI_Click(int Index);
  void mDM_Click(int Index);
  // True when the key was one of the table's.
  bool Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);
  // X is the icon's mouse message (TrayMessages.h).
  void Form_MouseMove(int Button, int Shift, int X, int Y);
  void trayActivated(QSystemTrayIcon::ActivationReason reason, bool statusNotifierHost = false);
  // The notification area went away: a clock hidden in it shows itself again.
  void trayAreaGone();
  // Refreshes the face's tooltip; call on every pointer move over the face.
  void picPrev_MouseMove(QWidget& picPrev);

  // The right button on the face, the strip or the icon: refresh the memo items from the store
  // and the draw-mode marks from the settings, then pop up. Every way in shows the same menu.
  void openMenu(const QPoint& globalPos);

  // MemoHost
  void ShowMsg(const QString& Msg, int wait) override;
  void setMemoItemsEnabled(bool enabled) override;
  bool memoCopyEnabled() const override;
  QWidget* questionParent() const override;

 private:
  void showUptime();

  ClockWindowPort& window_;
  ClockSettings& settings_;
  SettingsStore& store_;
  Sources sources_;
  std::unique_ptr<ClockPopupMenu> menu_;
  MemoCommands memo_;
  bool ending_ = false;
};

}  // namespace kwemo
