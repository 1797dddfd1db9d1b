#pragma once

#include <QPoint>
#include <QString>

class QMenu;
class QWidget;

namespace kwemo {

// What the menu commands, keys and icon events need of the clock window.
class ClockWindowPort {
 public:
  virtual ~ClockWindowPort() = default;

  virtual void ShowMsg(const QString& Msg, int wait) = 0;
  virtual void setMsgActive(bool active) = 0;
  virtual void SetTopMost(bool onTop) = 0;
  virtual void ChangeRgn(bool mode, bool msgmode, bool delreg) = 0;

  virtual void showClock() = 0;
  virtual void hideClock() = 0;
  // Whether a notification area is there to bring a hidden clock back.
  virtual bool trayAvailable() const = 0;
  // Closes the clock window; the program's shut-down follows.
  virtual void unloadClock() = 0;

  virtual void showSettings() = 0;
  virtual void showAbout() = 0;

  // Puts the clock window in front and gives it the input focus.
  virtual void bringToFront() = 0;
  // Lets pending events run once.
  virtual void letEventsRun() = 0;
  // Shows the menu at a point of the screen and returns when it has closed.
  virtual void popUp(QMenu& menu, const QPoint& globalPos) = 0;
  // The window that questions belong to.
  virtual QWidget* questionParent() const = 0;
};

}  // namespace kwemo
