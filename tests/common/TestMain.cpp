// Shared main for every test executable: one QApplication on the offscreen platform, and
// per-user folders pointed at a temporary directory so no test touches real settings.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

#include "Waits.h"
#include "surface/Fonts.h"

namespace {

class WatchEachTest : public ::testing::EmptyTestEventListener {
 public:
  explicit WatchEachTest(kwemo::test::ModalWatchdog& watchdog) : watchdog_(watchdog) {}
  void OnTestStart(const ::testing::TestInfo&) override { watchdog_.reset(); }

 private:
  kwemo::test::ModalWatchdog& watchdog_;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QTemporaryDir home;
  if (home.isValid()) {
    const QByteArray root = home.path().toUtf8();
    setenv("XDG_CONFIG_HOME", (root + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
  }
  QApplication app(argc, argv);
  kwemo::installFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  kwemo::test::ModalWatchdog watchdog;
  auto& listeners = ::testing::UnitTest::GetInstance()->listeners();
  auto* watch = new WatchEachTest(watchdog);
  listeners.Append(watch);
  const int failed = RUN_ALL_TESTS();
  delete listeners.Release(watch);
  return failed;
}
