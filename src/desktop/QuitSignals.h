#pragma once

#include <QObject>

class QSocketNotifier;

namespace kwemo {

// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal delivered by the event loop (also inside a
// nested menu or dialog loop), so that they end the program through its normal close. The
// handlers only write the signal number into a socket pair. One instance per process; the
// destructor restores the default handlers.
class QuitSignals : public QObject {
  Q_OBJECT

 public:
  explicit QuitSignals(QObject* parent = nullptr);
  ~QuitSignals() override;

  // False when the socket pair or the handlers could not be set up.
  bool isActive() const { return notifier_ != nullptr; }

 signals:
  void quitRequested(int signalNumber);

 private:
  void onReadable();

  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kwemo
