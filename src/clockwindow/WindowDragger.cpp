#include "clockwindow/WindowDragger.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace kwemo {

WindowDragger::WindowDragger(QWidget& window) : QObject(&window), window_(window) {}

void WindowDragger::press(const QPoint& globalPos, Qt::Edges edges) {
  state_ = State::Pressed;
  edges_ = edges;
  pressPos_ = globalPos;
  geometryAtPress_ = window_.geometry();
}

void WindowDragger::moveTo(const QPoint& globalPos, Qt::MouseButtons held) {
  if (state_ == State::Idle) return;
  if (!(held & Qt::LeftButton)) {
    release();
    return;
  }
  switch (state_) {
    case State::Idle:
    case State::SystemDrag:
      return;
    case State::OwnDrag:
      followPointer(globalPos);
      return;
    case State::Pressed:
      break;
  }
  if ((globalPos - pressPos_).manhattanLength() < QApplication::startDragDistance()) return;
  // A move is ours from start to end: a window manager's move starts where the pointer is when
  // it takes over, which loses the distance travelled past the threshold, and it keeps the
  // release from us.
  if (edges_) {
    QWindow* handle = window_.windowHandle();
    if (handle && handle->startSystemResize(edges_)) {
      state_ = State::SystemDrag;
      return;
    }
  }
  state_ = State::OwnDrag;
  followPointer(globalPos);
}

void WindowDragger::release() {
  if (state_ == State::Idle) return;
  const bool moved = state_ != State::Pressed;
  state_ = State::Idle;
  emit finished(moved);
}

void WindowDragger::followPointer(const QPoint& globalPos) {
  const QPoint delta = globalPos - pressPos_;
  if (!edges_) {
    window_.move(geometryAtPress_.topLeft() + delta);
    return;
  }
  QRect g = geometryAtPress_;
  const QSize minimum = window_.minimumSize().expandedTo(QSize(1, 1));
  if (edges_ & Qt::LeftEdge)
    g.setLeft(std::min(g.left() + delta.x(), g.right() + 1 - minimum.width()));
  if (edges_ & Qt::RightEdge)
    g.setRight(std::max(g.right() + delta.x(), g.left() + minimum.width() - 1));
  if (edges_ & Qt::TopEdge)
    g.setTop(std::min(g.top() + delta.y(), g.bottom() + 1 - minimum.height()));
  if (edges_ & Qt::BottomEdge)
    g.setBottom(std::max(g.bottom() + delta.y(), g.top() + minimum.height() - 1));
  window_.setGeometry(g);
}

Qt::Edges frameEdgesAt(const QPoint& pos, const QSize& size, int frameWidth) {
  Qt::Edges edges;
  if (pos.x() < frameWidth) edges |= Qt::LeftEdge;
  if (pos.x() >= size.width() - frameWidth) edges |= Qt::RightEdge;
  if (pos.y() < frameWidth) edges |= Qt::TopEdge;
  if (pos.y() >= size.height() - frameWidth) edges |= Qt::BottomEdge;
  return edges;
}

}  // namespace kwemo
