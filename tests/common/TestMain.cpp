// Shared main for every test executable: one QApplication on the offscreen platform, and
// per-user folders pointed at a temporary directory so no test touches real settings.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>

#include <cstdlib>

#include "Waits.h"
#include "surface/Fonts.h"

namespace {

// Closes a popup or modal window that stays up for 80 checks (8 seconds or more) while events run,
// and fails the running test with its name, instead of hanging it in a nested event loop.
class ModalWatchdog : public QObject, public ::testing::EmptyTestEventListener {
 public:
  ModalWatchdog() {
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { check(); });
    timer_.start(100);
  }
  void OnTestStart(const ::testing::TestInfo&) override { seen_ = nullptr; }

 private:
  void check() {
    QWidget* up = kwemo::test::windowUp();
    checks_ = up == seen_ ? checks_ + 1 : 0;
    seen_ = up;
    if (!up || checks_ < 80) return;
    ADD_FAILURE() << "left open, closed by the watchdog: " << up->metaObject()->className() << " \""
                  << up->windowTitle().toStdString() << "\"";
    seen_ = nullptr;
    if (auto* dialog = qobject_cast<QDialog*>(up))
      dialog->reject();
    else
      up->close();
  }

  QTimer timer_;
  QPointer<QWidget> seen_;
  int checks_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  setenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8().constData(), 1);
  setenv("XDG_DATA_HOME", home.filePath("data").toUtf8().constData(), 1);
  QApplication app(argc, argv);
  kwemo::installFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  auto& listeners = ::testing::UnitTest::GetInstance()->listeners();
  auto* watchdog = new ModalWatchdog;
  listeners.Append(watchdog);
  const int failed = RUN_ALL_TESTS();
  delete listeners.Release(watchdog);
  return failed;
}
