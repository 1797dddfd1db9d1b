// Dragging without a window manager (the offscreen platform refuses the system move, as a bare X
// server does): the window follows the pointer itself, and a plain click moves nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "clockwindow/WindowDragger.h"

namespace kwemo {
namespace {

struct Window {
  QWidget widget{nullptr, Qt::FramelessWindowHint};
  WindowDragger dragger{widget};
  Window() {
    widget.setMinimumSize(24, 24);
    widget.setGeometry(200, 150, 128, 128);
    widget.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
  }
};

TEST(WindowDragger, PlainClickMovesNothingAndDragFollowsThePointer) {
  Window w;
  QSignalSpy finished(&w.dragger, &WindowDragger::finished);
  const int small = QApplication::startDragDistance() - 1;

  w.dragger.press({250, 200});
  w.dragger.moveTo({250 + small, 200});
  w.dragger.release();
  EXPECT_EQ(w.widget.pos(), QPoint(200, 150));
  ASSERT_EQ(finished.count(), 1);
  EXPECT_FALSE(finished.at(0).at(0).toBool());
  EXPECT_FALSE(w.dragger.isPressed());

  w.dragger.press({250, 200});
  w.dragger.moveTo({300, 260});
  EXPECT_EQ(w.widget.pos(), QPoint(250, 210));
  w.dragger.release();
  ASSERT_EQ(finished.count(), 2);
  EXPECT_TRUE(finished.at(1).at(0).toBool());

  // Moves after the release do nothing: the window is never stuck to the pointer.
  w.dragger.moveTo({400, 400});
  EXPECT_EQ(w.widget.geometry(), QRect(250, 210, 128, 128));
}

TEST(WindowDragger, FrameEdgesResizeWithinTheMinimum) {
  struct Case {
    Qt::Edges edges;
    QPoint delta;
    QRect expected;
  } cases[] = {
      {Qt::RightEdge | Qt::BottomEdge, {30, 20}, {200, 150, 158, 148}},
      {Qt::LeftEdge | Qt::TopEdge, {200, 200}, {304, 254, 24, 24}},  // stops at the minimum
      {Qt::RightEdge, {-500, 0}, {200, 150, 24, 128}},
  };
  for (const Case& c : cases) {
    Window w;
    w.dragger.press({200, 200}, c.edges);
    w.dragger.moveTo(QPoint(200, 200) + c.delta);
    w.dragger.release();
    EXPECT_EQ(w.widget.geometry(), c.expected) << int(c.edges);
  }
}

TEST(WindowDragger, FrameEdgesUnderThePointer) {
  const QSize size(128, 128);
  struct Case {
    QPoint pos;
    Qt::Edges edges;
  } cases[] = {
      {{3, 60}, Qt::LeftEdge},
      {{4, 60}, {}},
      {{124, 60}, Qt::RightEdge},
      {{127, 126}, Qt::RightEdge | Qt::BottomEdge},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(frameEdgesAt(c.pos, size, 4), c.edges) << c.pos.x() << "," << c.pos.y();
  }
}

}  // namespace
}  // namespace kwemo
