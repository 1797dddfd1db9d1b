// Single instance, quit signals, the last-chance hook and stacking.
#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <csignal>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "Waits.h"
#include "desktop/LastChance.h"
#include "desktop/QuitSignals.h"
#include "desktop/SetTopMost.h"
#include "desktop/SingleInstance.h"

namespace kwemo {
namespace {

// Sends raw bytes to a local socket, as a program that is not ours might.
bool sendRaw(const QString& path, const QByteArray& bytes) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray native = QFile::encodeName(path);
  std::memcpy(address.sun_path, native.constData(), static_cast<size_t>(native.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool ok =
      ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
      ::send(fd, bytes.constData(), static_cast<size_t>(bytes.size()), 0) == bytes.size();
  ::close(fd);
  return ok;
}

TEST(SingleInstance, SecondLaunchAsksTheFirstToShowAndAGoneCopysLockIsTakenOver) {
  QTemporaryDir dir, empty;
  ASSERT_TRUE(dir.isValid() && empty.isValid());
  EXPECT_FALSE(SingleInstance(empty.path()).askFirstToShow(200));  // nobody answers
  {
    SingleInstance gone(dir.path());
    ASSERT_EQ(gone.claim(), SingleInstance::Role::First);
  }
  SingleInstance first(dir.path());
  ASSERT_EQ(first.claim(), SingleInstance::Role::First);
  QSignalSpy shown(&first, &SingleInstance::showRequested);

  SingleInstance second(dir.path());
  EXPECT_EQ(second.claim(), SingleInstance::Role::Second);
  EXPECT_TRUE(second.askFirstToShow());
  EXPECT_TRUE(test::waitUntil([&] { return shown.count() == 1; }));

  // Anything else on the socket is ignored, and a later request is still heard.
  ASSERT_TRUE(sendRaw(first.socketPath(), "hello\n" + QByteArray(200, 'x') + "\nshow\n"));
  ASSERT_TRUE(sendRaw(first.socketPath(), ""));
  QTest::qWait(150);
  EXPECT_EQ(shown.count(), 1);
  SingleInstance third(dir.path());
  EXPECT_EQ(third.claim(), SingleInstance::Role::Second);
  EXPECT_TRUE(third.askFirstToShow());
  EXPECT_TRUE(test::waitUntil([&] { return shown.count() == 2; }));
}

TEST(QuitSignals, TermHupAndIntBecomeQuitRequests) {
  QuitSignals quit;
  ASSERT_TRUE(quit.isActive());
  QSignalSpy spy(&quit, &QuitSignals::quitRequested);
  for (int number : {SIGTERM, SIGHUP, SIGINT}) {
    spy.clear();
    std::raise(number);
    ASSERT_TRUE(test::waitUntil([&] { return spy.count() == 1; })) << number;
    EXPECT_EQ(spy.at(0).at(0).toInt(), number);
  }
}

TEST(LastChanceDeathTest, RunsAtExitUnlessDisarmed) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // The action ends the child with its own code, so the code tells whether it ran.
  EXPECT_EXIT(
      {
        LastChance::arm([] { std::_Exit(7); });
        std::exit(1);
      },
      testing::ExitedWithCode(7), "");
  EXPECT_EXIT(
      {
        LastChance::arm([] { std::_Exit(7); });
        LastChance::disarm();
        std::exit(0);
      },
      testing::ExitedWithCode(0), "");
}

TEST(SetTopMost, ChangesStackingWithoutMovingOrRecreating) {
  QWidget frm(nullptr, Qt::FramelessWindowHint);
  frm.setGeometry(100, 80, 128, 128);
  frm.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frm));
  const WId id = frm.winId();
  for (bool onTop : {true, false}) {
    SetTopMost(frm, onTop);
    EXPECT_EQ(frm.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), onTop);
    EXPECT_EQ(frm.winId(), id);
    EXPECT_EQ(frm.geometry(), QRect(100, 80, 128, 128));
  }

  // Before the window exists, the flag is kept for its creation.
  QWidget later;
  SetTopMost(later, true);
  later.show();
  EXPECT_TRUE(later.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));

  QWidget chooser;
  SetTopMost(chooser, true, &frm);
  EXPECT_EQ(chooser.windowHandle()->transientParent(), frm.windowHandle());
  EXPECT_FALSE(chooser.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
}  // namespace kwemo
