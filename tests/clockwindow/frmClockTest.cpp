// The clock window as a whole: start-up on an empty and on a stored store, the outline, the
// resize step, dragging from the strip with its pull-back, showing on request, and shut-down.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>

#include <optional>
#include <vector>

#include "Controls.h"
#include "Waits.h"
#include "clock/ClockSettingsStorage.h"
#include "clockwindow/ClockTrayIcon.h"
#include "clockwindow/MessageStrip.h"
#include "clockwindow/frmClock.h"
#include "clockwindow/frmLoading.h"
#include "desktop/Prompts.h"
#include "store/MemorySettingsStore.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {
namespace {

using test::control;

const QString kApp = QStringLiteral("KWEMO");

QDateTime fixedMoment() { return QDateTime(QDate(2026, 1, 5), QTime(9, 7, 30)); }

struct Clock {
  MemorySettingsStore store;
  ScriptedPrompts prompts;
  ClockSettings settings;
  int ended = 0;
  std::unique_ptr<frmClock> window;

  Clock() { setPrompts(&prompts); }
  ~Clock() {
    window.reset();
    setPrompts(nullptr);
  }
  void put(const char* section, const char* key, const QString& value) {
    store.write(kApp, QString::fromLatin1(section), QString::fromLatin1(key), value);
  }
  void storedRun() { put("Setting", "Runed", QStringLiteral("True")); }
  frmClock& load() {
    window = std::make_unique<frmClock>(
        settings, store, [this] { ++ended; }, fixedMoment);
    window->Form_Load();
    return *window;
  }
  QString get(const char* section, const char* key) const {
    return store.read(kApp, QString::fromLatin1(section), QString::fromLatin1(key));
  }
  int writesOf(const QString& sectionKey) const {
    return static_cast<int>(store.writeLog().count(sectionKey));
  }
};

TEST(frmClock, FirstStartWelcomesShowsTheClockAndGreets) {
  Clock c;
  c.prompts.answer(Answer::Ok);
  frmClock& w = c.load();

  ASSERT_EQ(c.prompts.asked().size(), 1u);
  const auto& box = c.prompts.asked()[0];
  EXPECT_EQ(box.text, QStringLiteral("Welcome to KWEMO World! :-)"));
  EXPECT_EQ(c.writesOf(QStringLiteral("Memo/Title")), 1);
  EXPECT_EQ(c.writesOf(QStringLiteral("Memo/Memo")), 1);
  EXPECT_EQ(c.get("Memo", "Title"), QString());

  // The first tick drew the face, showed the window, closed the splash and greeted.
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(w.renderer().FirstShown());
  EXPECT_TRUE(test::waitUntil([&] { return w.splash() == nullptr; }));
  EXPECT_TRUE(w.messageStrip().timMsg().isActive());

  EXPECT_EQ(w.size(), QSize(128, 128));
  EXPECT_EQ(control<QWidget>(w, "clientArea").geometry(), QRect(4, 4, 120, 120));
  EXPECT_TRUE(w.mask().isEmpty());
  // First-run look: black hands on white; the hour hand at 9:07 runs left from the centre.
  const QImage& face = control<SurfaceView>(w, "picPrev").surface().image();
  EXPECT_EQ(face.pixel(110, 10) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(face.pixel(45, 59) & 0xFFFFFF, 0x000000u);
  EXPECT_TRUE(w.trayIcon().isAdded());
}

TEST(frmClock, StoredStatesAreRestoredWithoutWelcome) {
  Clock c;
  c.storedRun();
  c.put("Setting", "RgnMode", QStringLiteral("True"));
  c.put("Position", "Always On Top", QStringLiteral("True"));
  c.put("Position", "Left", QStringLiteral("1500"));
  c.put("Position", "Top", QStringLiteral("750"));
  c.put("Position", "Width", QStringLiteral("2400"));
  c.put("Position", "Height", QStringLiteral("1920"));
  frmClock& w = c.load();

  EXPECT_TRUE(c.prompts.asked().empty());
  EXPECT_EQ(c.writesOf(QStringLiteral("Memo/Title")), 0);
  EXPECT_TRUE(w.mPI(ClockMenuItems::kEllipticForm)->isChecked());
  EXPECT_TRUE(w.mPI(ClockMenuItems::kAlwaysOnTop)->isChecked());
  EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(w.geometry(), QRect(100, 50, 160, 128));
  EXPECT_EQ(w.faceState().Geometry, (FaceGeometry{76, 60, 60, 152, 120}));
  // The stored outline was made for the design size; the first tick's preparation renews it.
  EXPECT_EQ(w.mask().boundingRect(), QRect(5, 5, 152, 120));
}

TEST(frmClock, PlacementEdgeCases) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const struct {
    const char* name;
    std::vector<std::pair<const char*, QString>> position;
    std::optional<QPoint> pos;
    QSize size;  // invalid: the window's minimum
  } cases[] = {
      // top 0 and no size; the window keeps a size that can be seen and grabbed
      {"left alone", {{"Left", "300"}}, QPoint(20, 0), {}},
      {"garbled left keeps the design", {{"Left", "left"}, {"Width", "3000"}}, {}, {128, 128}},
      {"monitor removed",
       {{"Left", "150000"}, {"Top", "1500"}, {"Width", "1920"}, {"Height", "1920"}},
       QPoint(screen.right() + 1 - 128, 100),
       {128, 128}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Clock c;
    c.storedRun();
    for (const auto& [key, value] : k.position) c.put("Position", key, value);
    frmClock& w = c.load();
    if (k.pos) {
      EXPECT_EQ(w.pos(), *k.pos);
    }
    EXPECT_EQ(w.size(), k.size.isValid() ? k.size : w.minimumSize());
  }
}

TEST(frmClock, OutlineOnOffAndResizeStep) {
  Clock c;
  c.storedRun();
  frmClock& w = c.load();
  w.ChangeRgn(true, false, false);
  const QRegion ellipse = w.mask();
  EXPECT_EQ(ellipse.boundingRect(), QRect(5, 5, 120, 120));
  w.ChangeRgn(false, false, false);
  EXPECT_TRUE(w.mask().isEmpty());
  w.ChangeRgn(true, false, false);

  // Resizing leaves the outline alone but recomputes the face geometry.
  w.resize(208, 108);
  EXPECT_EQ(control<SurfaceView>(w, "picPrev").geometry(), QRect(0, 0, 200, 100));
  EXPECT_EQ(w.faceState().Geometry, (FaceGeometry{100, 50, 50, 200, 100}));
  EXPECT_EQ(w.mask(), ellipse);
  EXPECT_EQ(control<SurfaceView>(w, "picMsg").geometry(), QRect(0, 82, 200, 18));
}

void sendMouse(QWidget& target, QEvent::Type type, Qt::MouseButton button, QPoint global) {
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
  QMouseEvent event(type, target.mapFromGlobal(QPointF(global)), QPointF(global), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(&target, &event);
}

TEST(frmClock, DragFromTheStripIsPulledBackOntoTheScreen) {
  Clock c;
  c.storedRun();
  frmClock& w = c.load();
  const QRect screen = w.screen()->availableGeometry();
  w.move(screen.left() + 100, screen.top() + 100);
  control<SurfaceView>(w, "picMsg").show();

  const QPoint start = control<SurfaceView>(w, "picMsg").mapToGlobal(QPoint(10, 5));
  sendMouse(control<SurfaceView>(w, "picMsg"), QEvent::MouseButtonPress, Qt::LeftButton, start);
  EXPECT_FALSE(w.Timer1().isActive());
  EXPECT_FALSE(control<SurfaceView>(w, "picMsg").isVisible());
  sendMouse(control<SurfaceView>(w, "picMsg"), QEvent::MouseMove, Qt::LeftButton,
            start + QPoint(5000, 5000));
  sendMouse(control<SurfaceView>(w, "picMsg"), QEvent::MouseButtonRelease, Qt::LeftButton,
            start + QPoint(5000, 5000));
  EXPECT_EQ(w.pos(), QPoint(screen.right() + 1 - 128, screen.bottom() + 1 - 128));
  EXPECT_TRUE(w.Timer1().isActive());

  // From the face nothing is corrected.
  const QPoint face = control<SurfaceView>(w, "picPrev").mapToGlobal(QPoint(60, 60));
  sendMouse(control<SurfaceView>(w, "picPrev"), QEvent::MouseButtonPress, Qt::LeftButton, face);
  sendMouse(control<SurfaceView>(w, "picPrev"), QEvent::MouseMove, Qt::LeftButton,
            face + QPoint(100, 100));
  sendMouse(control<SurfaceView>(w, "picPrev"), QEvent::MouseButtonRelease, Qt::LeftButton,
            face + QPoint(100, 100));
  EXPECT_EQ(w.pos(), QPoint(screen.right() + 101 - 128, screen.bottom() + 101 - 128));

  // The right button on the strip asks for the menu and restarts the timer.
  int menus = 0;
  QObject::connect(&w, &frmClock::popupMenuRequested, [&] {
    ++menus;
    EXPECT_FALSE(w.Timer1().isActive());
  });
  sendMouse(control<SurfaceView>(w, "picMsg"), QEvent::MouseButtonPress, Qt::RightButton, start);
  EXPECT_EQ(menus, 1);
  EXPECT_TRUE(w.Timer1().isActive());
}

TEST(frmClock, ShutDownWritesEverythingOnceAndEnds) {
  Clock c;
  c.storedRun();
  c.put("Setting", "RgnMode", QStringLiteral("True"));
  frmClock& w = c.load();
  w.move(30, 45);
  w.mPI(ClockMenuItems::kAlwaysOnTop)->setChecked(true);
  w.hide();  // hidden to the notification area: still saved
  w.mPI(ClockMenuItems::kHideInTray)->setChecked(true);

  w.close();
  EXPECT_EQ(c.ended, 1);
  EXPECT_TRUE(w.shutDown());
  EXPECT_FALSE(w.Timer1().isActive());
  EXPECT_FALSE(w.trayIcon().isAdded());
  const char* const stored[][3] = {
      {"Setting", "Runed", "True"},   {"Position", "Left", "450"},
      {"Position", "Top", "675"},     {"Position", "Width", "1920"},
      {"Position", "Height", "1920"}, {"Position", "Always On Top", "True"},
      {"Setting", "RgnMode", "True"},
  };
  for (const auto& [section, key, value] : stored) EXPECT_EQ(c.get(section, key), value) << key;

  const int writes = static_cast<int>(c.store.writeLog().size());
  w.close();
  w.Form_QueryUnload();
  EXPECT_EQ(c.ended, 1);
  EXPECT_EQ(static_cast<int>(c.store.writeLog().size()), writes);
}

TEST(frmClock, LaterLaunchShowsAHiddenClock) {
  Clock c;
  c.storedRun();
  frmClock& w = c.load();
  w.hide();
  w.mPI(ClockMenuItems::kHideInTray)->setChecked(true);
  w.showRequested();
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.mPI(ClockMenuItems::kHideInTray)->isChecked());
}

}  // namespace
}  // namespace kwemo
