#pragma once

// Every wait a test makes goes through here: waits end on a condition (or on an injected clock),
// never after a fixed time, and a window a test fails to close fails that test instead of
// hanging it in a nested event loop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
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

// Runs act once on the first popup or modal window of type T that comes up, typically while the
// caller blocks in its nested event loop. Watching stops when the returned timer goes.
template <class T, class Act>
[[nodiscard]] std::unique_ptr<QTimer> whenUp(Act act) {
  auto poll = std::make_unique<QTimer>();
  poll->setInterval(10);
  QTimer* timer = poll.get();
  QObject::connect(timer, &QTimer::timeout, [timer, act]() mutable {
    QWidget* up = QApplication::activePopupWidget();
    if (!up) up = QApplication::activeModalWidget();
    if (auto* window = qobject_cast<T*>(up)) {
      timer->stop();
      act(*window);
    }
  });
  poll->start();
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

// Closes a popup or modal window that stays up longer than a few seconds while events run, and
// fails the running test with its name. TestMain keeps one for every test.
class ModalWatchdog : public QObject {
 public:
  explicit ModalWatchdog(int ms = 8000) : limitMs_(ms) {
    timer_.setInterval(100);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { check(); });
    timer_.start();
  }
  void reset() { seen_ = nullptr; }

 private:
  void check() {
    QWidget* up = QApplication::activePopupWidget();
    if (!up) up = QApplication::activeModalWidget();
    if (up != seen_) {
      seen_ = up;
      since_.start();
      return;
    }
    if (!up || since_.elapsed() < limitMs_) return;
    ADD_FAILURE() << "left open, closed by the watchdog: " << up->metaObject()->className() << " \""
                  << up->windowTitle().toStdString() << "\"";
    seen_ = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(up))
      dialog->reject();
    else
      up->close();
  }

  int limitMs_;
  QTimer timer_;
  QPointer<QWidget> seen_;
  QElapsedTimer since_;
};

}  // namespace kwemo::test
