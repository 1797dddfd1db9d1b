#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kwemo {

// Moves or resizes a top-level window from a pointer press on it or on one of its children, once
// the pointer has moved past the drag distance, so a plain click moves nothing. A move follows
// the pointer by our own moves, point for point from the press, with a window manager or
// without; a resize is handed to the window manager where there is one.
class WindowDragger : public QObject {
  Q_OBJECT

 public:
  explicit WindowDragger(QWidget& window);

  // From the press, move and release handlers, with the pointer's global position. edges: empty
  // to move the window, otherwise the frame edges to resize. held: the buttons the move
  // reports; a move without the left button means the release went elsewhere (a hidden widget,
  // the window manager's grab) and ends the press instead of moving anything.
  void press(const QPoint& globalPos, Qt::Edges edges = {});
  void moveTo(const QPoint& globalPos, Qt::MouseButtons held = Qt::LeftButton);
  void release();

  bool isPressed() const { return state_ != State::Idle; }

 signals:
  // The press has ended (released); moved is true when the window was moved or resized.
  void finished(bool moved);

 private:
  enum class State { Idle, Pressed, SystemDrag, OwnDrag };
  void followPointer(const QPoint& globalPos);

  QWidget& window_;
  State state_ = State::Idle;
  Qt::Edges edges_;
  QPoint pressPos_;
  QRect geometryAtPress_;
};

// Which edges of a window with a frame `frameWidth` pixels wide lie under pos (window
// coordinates); empty inside the frame.
Qt::Edges frameEdgesAt(const QPoint& pos, const QSize& size, int frameWidth);

}  // namespace kwemo
