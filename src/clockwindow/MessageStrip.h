#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

#include "surface/DrawSurface.h"

class QWidget;

namespace kwemo {

class SurfaceView;

// The message strip `picMsg` along the bottom of the clock window's client area: `ShowMsg` rolls
// it up, draws the red marker and the cyan text (scrolling it when it is too wide), and `timMsg`
// rolls it away half a second later. The animation steps sleep until their deadlines and let no
// events run, so the face is not redrawn meanwhile.
class MessageStrip : public QObject {
  Q_OBJECT

 public:
  static constexpr int kLayoutHeight = 18;
  static constexpr Rgb kBack = RGB(0, 0, 0);
  static constexpr Rgb kMarker = RGB(255, 0, 0);
  static constexpr Rgb kText = RGB(0, 255, 255);

  // What the strip asks of its window.
  struct Window {
    std::function<bool()> ellipticChecked;            // "円形フォーム(&F)" ticked
    std::function<void(bool, bool, bool)> ChangeRgn;  // the window's outline
    std::function<void()> repaintFace;                // picPrev, at once
  };

  // clientArea: the strip's parent, whose bottom edge the strip is aligned to.
  MessageStrip(QWidget& clientArea, Window window);

  SurfaceView& picMsg() { return *picMsg_; }
  DrawSurface& surface() { return surface_; }
  QTimer& timMsg() { return timMsg_; }

  void ShowMsg(const QString& Msg, int wait);
  void timMsg_Timer();

  // Set while a message is being shown; a key press clears it to drop a message still being
  // prepared.
  bool MsgActive() const { return msgActive_; }
  void setMsgActive(bool active) { msgActive_ = active; }

  // The strip's height in pixels; it grows upward from the client area's bottom edge.
  int height() const { return height_; }
  void setHeight(int height);
  // Keeps the strip on the bottom edge and as wide as the client area (after a resize).
  void align();
  // A press on the strip hides it at once.
  void hideNow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void drawMarker(float x, float SW, float SH);

  QWidget& client_;
  Window window_;
  DrawSurface surface_;
  SurfaceView* picMsg_;
  QTimer timMsg_;
  bool msgActive_ = false;
  int height_ = kLayoutHeight;
};

}  // namespace kwemo
