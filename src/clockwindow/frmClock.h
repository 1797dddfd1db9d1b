#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#include "clock/ClockSettings.h"
#include "clock/FaceRenderer.h"
#include "clock/FaceState.h"
#include "clockwindow/ClockMenuItems.h"
#include "clockwindow/frmClockDesign.h"
#include "surface/DrawSurface.h"

class QAction;

namespace kwemo {

class ClockLifecycle;
class ClockTrayIcon;
class MessageStrip;
class SettingsStore;
class SurfaceView;
class WindowDragger;
class WindowOutline;
class frmLoading;
struct WindowState;

// The clock window: a captionless window with a 4-pixel sizing frame of its own, whose client
// area holds the face `picPrev` and, along its bottom edge, the message strip `picMsg`. It loads
// the settings and restores itself at start (Form_Load), redraws the face every 200 ms (Timer1),
// can be made elliptic, kept on top, dragged by the face or the strip and resized by its frame,
// and writes everything back when it closes (Form_QueryUnload).
class frmClock : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFrameWidth = 4;
  static constexpr int kDesignClientSize = 120;
  static constexpr int kTimerInterval = 200;
  // The smallest client area the frame can be dragged to.
  static constexpr int kMinimumClientSize = 16;

  // settings and store outlive the window. endProgram ends the process after the shut-down
  // (the entry routine's; tests record it instead). clock: the time the face shows (empty: the
  // system clock).
  frmClock(ClockSettings& settings, SettingsStore& store, std::function<void()> endProgram,
           ClockSource clock = {});
  ~frmClock() override;

  // Start-up and shut-down.
  void Form_Load();
  void Form_QueryUnload();
  bool shutDown() const;

  // Outline, stacking, resize step.
  void ChangeRgn(bool mode, bool msgmode, bool delreg);
  void SetTopMost(bool onTop);
  void Form_Resize();
  int FrameOffset() const;
  int computeFrameOffset();
  const QRegion& CurrentRgn() const;

  // Messages.
  void ShowMsg(const QString& Msg, int wait);
  bool MsgActive() const;
  void setMsgActive(bool active);

  // The face.
  void Timer1_Timer();
  QTimer& Timer1() { return timer1_; }
  FaceState& faceState() { return state_; }
  const FaceRenderer& renderer() const { return *renderer_; }
  ClockSettings& settings() { return settings_; }
  SettingsStore& store() { return store_; }

  // Whether `object` is the face (picPrev), and the client area's size.
  bool isFace(const QObject* object) const;
  QSize clientSize() const;
  MessageStrip& messageStrip() { return *strip_; }
  ClockMenuItems& menuItems() { return *items_; }
  QAction* mPI(int index) const { return items_->mPI(index); }
  ClockTrayIcon& trayIcon() { return *tray_; }
  frmLoading* splash() const;
  // The splash shown while loading; the first drawing unloads it.
  void setSplash(frmLoading* splash);

  // Client size in pixels (ScaleWidth, ScaleHeight).
  float ScaleWidth() const;
  float ScaleHeight() const;

  // The window values saved with the settings: position and size in twips, the two states.
  WindowState windowState() const;

  // A later launch asked to see the clock: show it even when it was hidden to the tray.
  void showRequested();

 signals:
  // The right button on the face or the strip: the popup menu opens at the pointer.
  void popupMenuRequested(const QPoint& globalPos);
  // The client size changed (the settings dialog shows it while it is open).
  void clientResized(float SW, float SH);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class FaceHooks;

  QRect clientRect() const;
  void picPrev_MouseDown(QMouseEvent* event);
  void picMsg_MouseDown(QMouseEvent* event);
  void dragFinished();
  void FirstShowing();

  ClockSettings& settings_;
  SettingsStore& store_;
  std::function<void()> endProgram_;

  DrawSurface surface_;
  frmClockDesign ui_;
  std::unique_ptr<MessageStrip> strip_;
  ClockMenuItems* items_;
  ClockTrayIcon* tray_;
  int ticksSinceAreaCheck_ = 0;
  std::unique_ptr<WindowOutline> outline_;
  WindowDragger* dragger_;
  QPointer<frmLoading> splash_;

  FaceState state_;
  std::unique_ptr<FaceHooks> hooks_;
  std::unique_ptr<FaceRenderer> renderer_;
  std::unique_ptr<ClockLifecycle> lifecycle_;
  QTimer timer1_;

  bool stripDrag_ = false;
};

}  // namespace kwemo
