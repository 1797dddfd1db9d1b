#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <list>

class QSocketNotifier;

namespace kwemo {

// Decides whether this process is the first running copy of the program, and lets later
// launches ask the first one to show itself. A lock on a file decides who is first (a local
// socket alone races when several copies start at once); only the lock holder listens on the
// socket. The lock is the kernel's (flock), so it ends with its holder: whatever the file holds,
// or whatever stands in its place, never keeps a later launch from starting.
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

  // Requests come from the user's own launches, which send one line and close: a connection
  // that says nothing for this long is dropped, and no more than this many are open at once.
  static constexpr int kRequestDeadlineMs = 500;
  static constexpr int kMaxConnections = 16;

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
  // Connections accepted and not yet done with.
  int openConnections() const { return static_cast<int>(connections_.size()); }

  static QString defaultFolder();

 signals:
  // A later launch asked the running copy to show itself.
  void showRequested();

 private:
  struct Connection {
    int fd;
    QSocketNotifier* notifier;
    QDeadlineTimer deadline;
    QByteArray received;
  };

  Role takeLock();
  void listen();
  void onNewConnection();
  bool acceptOne();
  void onReadable(int fd);
  void drop(std::list<Connection>::iterator connection);
  void dropExpired();

  QString folder_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  int spareFd_ = -1;  // given up to accept (and close) a connection when descriptors run out
  QSocketNotifier* listener_ = nullptr;
  std::list<Connection> connections_;  // oldest first
  QTimer sweeper_;
  Role role_ = Role::Unknown;
  bool claimed_ = false;
};

}  // namespace kwemo
