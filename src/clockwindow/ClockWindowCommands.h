#pragma once

#include <QObject>
#include <QSize>

#include <memory>

#include "clockwindow/ClockCommands.h"
#include "clockwindow/ClockWindowPort.h"
#include "settings/SettingsHost.h"

namespace kwemo {

class frmClock;

// Plugs the commands into the clock window: the popup menu on the right button over the face or
// the strip, the window's keys (before its children see them), the notification-area icon's
// events and the face's tooltip. It is also the clock's side of the settings dialog.
class ClockWindowCommands final : public QObject, public ClockWindowPort, public SettingsHost {
  Q_OBJECT

 public:
  // clock outlives this object.
  explicit ClockWindowCommands(frmClock& clock, ClockCommands::Sources sources = {});
  ~ClockWindowCommands() override;

  ClockCommands& commands() { return *commands_; }

  // ClockWindowPort
  void ShowMsg(const QString& Msg, int wait) override;
  void setMsgActive(bool active) override;
  void SetTopMost(bool onTop) override;
  void ChangeRgn(bool mode, bool msgmode, bool delreg) override;
  void showClock() override;
  void hideClock() override;
  bool trayAvailable() const override;
  void unloadClock() override;
  void showSettings() override;
  void showAbout() override;
  void bringToFront() override;
  void letEventsRun() override;
  void popUp(QMenu& menu, const QPoint& globalPos) override;
  QWidget* questionParent() const override;

  // SettingsHost
  QSize ClientSize() const override;
  void SetClientSize(QSize size) override;
  FaceState& Face() override;
  QString DrawModeCaption(int mode) const override;
  void SetTopMost(QWidget* window, bool onTop, QWidget* after) override;
  void SaveSettings(QWidget* dialog) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  frmClock& clock_;
  std::unique_ptr<ClockCommands> commands_;
};

}  // namespace kwemo
