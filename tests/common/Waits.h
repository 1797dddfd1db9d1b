#pragma once

// Every wait a test makes goes through here: waits end on a condition (or on an injected clock),
// never after a fixed time. TestMain closes a window a test fails to close.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <memory>

#include "desktop/Tick.h"

namespace kwemo::test {

// Generous for a loaded machine; a condition that holds ends the wait at once.
constexpr int kWaitMs = 10000;

// Runs events until done() holds; false when it still does not after ms.
template <class Done>
[[nodiscard]] bool waitUntil(Done done, int ms = kWaitMs) {
  return QTest::qWaitFor(done, ms);
}

// The popup or modal window that is up, if any.
inline QWidget* windowUp() {
  QWidget* up = QApplication::activePopupWidget();
  return up ? up : QApplication::activeModalWidget();
}

// Runs act once on the first popup or modal window of type T that comes up, typically while the
// caller blocks in its nested event loop. Watching stops when the returned timer goes.
template <class T, class Act>
[[nodiscard]] std::unique_ptr<QTimer> whenUp(Act act) {
  auto poll = std::make_unique<QTimer>();
  QTimer* timer = poll.get();
  QObject::connect(timer, &QTimer::timeout, [timer, act]() mutable {
    if (auto* window = qobject_cast<T*>(windowUp())) {
      timer->stop();
      act(*window);
    }
  });
  poll->start(10);
  return poll;
}

// Lets windows that closed themselves with deleteLater() go now.
inline void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Paced animations (TickCount/WaitUntilTick) run at once on a counter that moves only by their
// waits, so a test can check exactly how long they would take.
struct SteppedTicks {
  SteppedTicks() { SetSteppedTicks(true); }
  ~SteppedTicks() { SetSteppedTicks(false); }
};

}  // namespace kwemo::test
