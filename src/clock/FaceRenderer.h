#pragma once

#include <QDateTime>

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "clock/ClockSettings.h"
#include "clock/FaceState.h"
#include "surface/DrawSurface.h"

namespace kwemo {

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

// The clock face: Timer1_Timer decides whether a tick draws and draws the face from the settings
// record onto the surface. A tick whose face would be the one already shown (same second, same
// values) draws nothing; a tick that moves only the hands or the text redraws, and pushes to the
// screen, only where they were and are.
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
  // hand angles. The tick calls it after setUpTick (on the whole surface or within a clip).
  void DrawFace(const QDateTime& T);
  // One picture of moment T set up and drawn exactly as a tick does it (draw mode, Prepare when
  // NeedPrepare is set), without the tick's visibility and unchanged-second tests: the way for
  // tools to draw the clock's face.
  void DrawSnapshot(const QDateTime& T);

  // What a tick did last.
  enum class TickOutcome { Skipped, Unchanged, Partial, Whole };
  TickOutcome lastTick() const { return lastTick_; }
  // Always redraw the whole face, as the first versions did (comparisons and benchmarks).
  void setAlwaysDrawWhole(bool whole) { alwaysWhole_ = whole; }

  bool FirstShown() const { return firstShown_; }
  // True while a background picture is loaded.
  bool HasBackPicture() const { return !backBytes_.isEmpty(); }

 private:
  int effectiveDrawMode() const;
  // The tick's drawing: only where the operations differ from the last frame's, if it can.
  void drawChanges(const QDateTime& T);
  // The background picture at the face's size, decoded again from the file's bytes only when
  // that size changes; the full-size decode is not kept.
  const QImage* backdrop();

  // What the last drawing was made from; a tick with the same inputs would draw the same pixels.
  struct Inputs {
    QDate day;
    QTime second;
    ClockSettings settings;
    FaceGeometry geometry;
    int mode = 0;
    std::uint64_t surfaceChanges = 0;
    bool operator==(const Inputs&) const = default;
  };

  // What every tick does before it draws.
  void setUpTick();

  const ClockSettings& settings_;
  FaceState& state_;
  DrawSurface& surface_;
  ClockWindowHooks noWindow_;
  ClockWindowHooks* hooks_;
  ClockSource clock_;
  // The picture file's bytes (what was loaded, decoded again for a new size) and the picture
  // stretched to the face.
  QByteArray backBytes_;
  QImage decoded_;
  QImage backdrop_;
  bool firstShown_ = false;

  std::optional<Inputs> last_;
  std::vector<DrawOp> lastOps_, ops_;
  // The angles the last drawing stored, put back by a tick that skips (the preview writes them).
  float hourAngle_ = 0, minuteAngle_ = 0, secondAngle_ = 0;
  bool secondStored_ = false;
  TickOutcome lastTick_ = TickOutcome::Skipped;
  bool alwaysWhole_ = false;
};

}  // namespace kwemo
