// The single-instance lock and socket against damaged lock files, other users and a flood of
// idle connections.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "desktop/SingleInstance.h"
#include "store/FileSettingsStore.h"

namespace kwemo {
namespace {

using namespace std::chrono_literals;

QByteArray native(const QString& path) { return QFile::encodeName(path); }

int connectTo(const QString& path, bool nonBlocking) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray name = native(path);
  std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 &&
      errno != EINPROGRESS) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// A reader of the lock file would block on a FIFO for ever: after a generous wait a watchdog
// opens it from the other side, so that a stuck claim returns (and `blocked` tells).
SingleInstance::Role claimWithoutBlocking(SingleInstance& instance, bool& blocked) {
  std::atomic<bool> done{false}, rescued{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(10ms);
    while (!done) {
      rescued = true;
      const int fd = ::open(native(instance.lockPath()).constData(), O_RDWR | O_NONBLOCK);
      std::this_thread::sleep_for(50ms);
      if (fd >= 0) ::close(fd);
    }
  });
  const SingleInstance::Role role = instance.claim();
  done = true;
  watchdog.join();
  blocked = blocked || rescued;
  return role;
}

TEST(SingleInstanceHostile, ADamagedLockNeverKeepsTheClockFromStarting) {
  static constexpr char kGarbage[] = "\x89\x00\xff garbage\n\n\x01";
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  struct Case {
    const char* name;
    std::function<void(const QString& lock, const QString& dir)> make;
  };
  const auto bytes = [](QByteArray content) {
    return [content](const QString& lock, const QString&) {
      QFile f(lock);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(content);
    };
  };
  const Case cases[] = {
      {"empty file", bytes("")},
      {"garbage", bytes(QByteArray(kGarbage, sizeof kGarbage - 1))},
      {"another host", bytes("4242\nanother-host.example\nkwemo\n")},
      // pid 1 is alive on this host, but holds no lock: it is no clock.
      {"a live process that is no clock", bytes("1\n" + QByteArray(host) + "\nkwemo\n")},
      {"directory with a file in it",
       [](const QString& lock, const QString&) { ASSERT_TRUE(QDir().mkpath(lock + "/inside")); }},
      {"FIFO", [](const QString& lock,
                  const QString&) { ASSERT_EQ(::mkfifo(native(lock).constData(), 0600), 0); }},
      {"link that leads nowhere",
       [](const QString& lock, const QString& dir) {
         ASSERT_TRUE(QFile::link(dir + "/nowhere", lock));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString folder = dir.path() + "/run";
    ASSERT_TRUE(QDir().mkpath(folder));
    c.make(folder + "/kwemo.lock", dir.path());

    SingleInstance first(folder);
    bool blocked = false;
    EXPECT_EQ(claimWithoutBlocking(first, blocked), SingleInstance::Role::First);
    EXPECT_FALSE(blocked) << "the claim blocked";
    struct stat st {};
    ASSERT_EQ(::lstat(native(first.lockPath()).constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_FALSE(QFile::exists(dir.path() + "/nowhere")) << "the link was followed";
    SingleInstance second(folder);
    EXPECT_EQ(claimWithoutBlocking(second, blocked), SingleInstance::Role::Second)
        << "two clocks at once";
  }
}

// Only the user's own launches are heard, even where the socket could be reached by others (a
// shared fallback folder, say).
TEST(SingleInstanceHostile, RequestsOfAnotherUserAreIgnored) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to speak as another user";
  QTemporaryDir dir;
  SingleInstance first(dir.path());
  ASSERT_EQ(first.claim(), SingleInstance::Role::First);
  QSignalSpy shown(&first, &SingleInstance::showRequested);
  ::chmod(native(dir.path()).constData(), 0777);
  ::chmod(native(first.socketPath()).constData(), 0666);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(2);
    const int fd = connectTo(first.socketPath(), false);
    if (fd < 0) std::_Exit(3);
    const bool sent = ::send(fd, "show\n", 5, MSG_NOSIGNAL) == 5;
    ::close(fd);
    std::_Exit(sent ? 0 : 4);
  }
  int status = 0;
  while (::waitpid(child, &status, WNOHANG) == 0) QTest::qWait(10);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  QTest::qWait(300);
  EXPECT_EQ(shown.count(), 0);

  SingleInstance mine(dir.path());
  ASSERT_EQ(mine.claim(), SingleInstance::Role::Second);
  EXPECT_TRUE(mine.askFirstToShow());
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown.count() == 1; }, 5000));
}

// Run in a process of its own whose descriptor limit is lowered: a thousand idle connections
// from another process, then a real request and a save. The exit code says what went wrong.
[[noreturn]] void floodThenRequestAndSave(const QString& folder) {
  rlimit limit{};
  ::getrlimit(RLIMIT_NOFILE, &limit);
  const rlimit original = limit;
  limit.rlim_cur = 64;
  if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) std::_Exit(10);
  SingleInstance first(folder + "/run");
  if (first.claim() != SingleInstance::Role::First) std::_Exit(11);
  QSignalSpy shown(&first, &SingleInstance::showRequested);

  int ready[2];
  if (::pipe(ready) != 0) std::_Exit(12);
  const pid_t flooder = ::fork();
  if (flooder == 0) {
    ::setrlimit(RLIMIT_NOFILE, &original);
    int open = 0;
    const QDeadlineTimer patience(30000);
    while (open < 1000 && !patience.hasExpired()) {
      const int fd = connectTo(first.socketPath(), true);
      if (fd >= 0) {
        ++open;  // kept open and silent
      } else {
        ::usleep(200);
      }
    }
    const char done = open == 1000 ? 'y' : 'n';
    (void)!::write(ready[1], &done, 1);
    ::pause();
    std::_Exit(0);
  }
  ::close(ready[1]);
  char flooded = 0;
  const bool finished = QTest::qWaitFor(
      [&] {
        pollfd p{ready[0], POLLIN, 0};
        return ::poll(&p, 1, 0) == 1 && ::read(ready[0], &flooded, 1) == 1;
      },
      120000);
  int code = 0;
  if (!finished || flooded != 'y') code = 13;
  if (first.openConnections() > SingleInstance::kMaxConnections) code = 14;
  // The idle ones are dropped; a real request is still heard.
  if (!code && !QTest::qWaitFor([&] { return first.openConnections() == 0; }, 10000)) code = 15;
  SingleInstance second(folder + "/run");
  if (!code && second.claim() != SingleInstance::Role::Second) code = 16;
  if (!code && !second.askFirstToShow(5000)) code = 17;
  if (!code && !QTest::qWaitFor([&] { return shown.count() == 1; }, 10000)) code = 18;
  FileSettingsStore store(folder + "/config");
  if (!code && !store.write("KWEMO", "Setting", "Runed", "True")) code = 19;
  ::kill(flooder, SIGKILL);
  ::waitpid(flooder, nullptr, 0);
  std::_Exit(code);
}

TEST(SingleInstanceHostileDeathTest, AFloodOfIdleConnectionsLeavesTheClockAnsweringAndSaving) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  EXPECT_EXIT(floodThenRequestAndSave(dir.path()), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace kwemo
