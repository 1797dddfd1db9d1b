#pragma once

#include <QDateTime>

#include <functional>
#include <memory>

#include "clock/ClockSettings.h"
#include "clock/FaceState.h"

namespace kwemo {

class DrawSurface;
struct Picture;

// What the renderer asks of the clock window. Every default does nothing: with no window the
// face is drawn on the surface alone and its geometry is taken from the surface's size.
class ClockWindowHooks {
 public:
  virtual ~ClockWindowHooks() = default;

  // False while the window is hidden to the notification area (no drawing after the first).
  virtual bool isVisible() const { return true; }
  // Check marks of the popup menu entries "円形フォーム(&F)" and "Always On Top(&A)".
  virtual bool ellipticFormChecked() const { return false; }
  virtual bool alwaysOnTopChecked() const { return false; }
  virtual void ChangeRgn(bool /*mode*/, bool /*msgmode*/, bool /*delreg*/) {}
  virtual void SetTopMost(bool /*onTop*/) {}
  // The window's resize step; true when it ran (and set the face geometry). The default returns
  // false and the renderer takes the geometry from the surface.
  virtual bool Form_Resize() { return false; }
  // The first drawing is done: show the window, close the splash, greet. Called once per run.
  virtual void FirstShowing() {}
};

// The clock's current local time; tests and tools hand in any moment.
using ClockSource = std::function<QDateTime()>;

// The clock face: Timer1_Timer decides whether a tick draws and draws the whole face from the
// settings record onto the surface.
class FaceRenderer {
 public:
  // hooks may be null (no window); clock empty = the system clock.
  FaceRenderer(const ClockSettings& settings, FaceState& state, DrawSurface& surface,
               ClockWindowHooks* hooks = nullptr, ClockSource clock = {});
  ~FaceRenderer();
  FaceRenderer(const FaceRenderer&) = delete;
  FaceRenderer& operator=(const FaceRenderer&) = delete;

  // One tick of the 200 ms timer.
  void Timer1_Timer();

  // Applies the settings to the surface and the window: background colour and picture, outline,
  // stacking, font, geometry. The tick runs it when NeedPrepare is set.
  void Prepare();
  // Clears and draws the whole face for moment T (picture, marks, text, hands); stores the
  // hand angles. The tick calls it after setUpTick.
  void DrawFace(const QDateTime& T);
  // One picture of moment T set up and drawn exactly as a tick does it (draw mode, Prepare when
  // NeedPrepare is set), without the tick's visibility and unchanged-second tests: the way for
  // tools to draw the clock's face.
  void DrawSnapshot(const QDateTime& T);

  bool FirstShown() const { return firstShown_; }
  // The loaded background picture, or null.
  const Picture* BackPicture() const { return backPicture_.get(); }

 private:
  int effectiveDrawMode() const;
  // What every tick does before it draws.
  void setUpTick();

  const ClockSettings& settings_;
  FaceState& state_;
  DrawSurface& surface_;
  ClockWindowHooks noWindow_;
  ClockWindowHooks* hooks_;
  ClockSource clock_;
  std::unique_ptr<Picture> backPicture_;
  bool firstShown_ = false;
};

}  // namespace kwemo
