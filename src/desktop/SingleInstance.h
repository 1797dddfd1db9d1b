#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

namespace kwemo {

// Decides whether this process is the first running copy of the program, and lets later
// launches ask the first one to show itself. A lock file decides who is first (a local socket
// alone races when several copies start at once); only the lock holder listens on the socket.
// The socket is a plain Unix-domain socket watched by the event loop: Qt's local server would
// bring in its whole network library, a fifth of the clock's memory budget, for one line.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Role {
    First,    // this process holds the lock and listens
    Second,   // another live process holds the lock
    Unknown,  // the lock could not be taken nor checked (folder not writable): run anyway
  };

  // folder: where the lock file and the socket live; the user's runtime folder by default.
  explicit SingleInstance(QString folder = defaultFolder(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // Takes the lock (once) and, when first, starts listening for later launches.
  Role claim();
  // From a later launch: asks the first to show itself. True when the request was delivered
  // before the deadline.
  bool askFirstToShow(int timeoutMs = 800);

  QString lockPath() const;
  QString socketPath() const;

  static QString defaultFolder();

 signals:
  // A later launch asked the running copy to show itself.
  void showRequested();

 private:
  void listen();
  void onNewConnection();
  void onRequest(int fd);

  QString folder_;
  std::unique_ptr<QLockFile> lock_;
  int listenFd_ = -1;
  QSocketNotifier* listener_ = nullptr;
  Role role_ = Role::Unknown;
  bool claimed_ = false;
};

}  // namespace kwemo
