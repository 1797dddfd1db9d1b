#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "Controls.h"
#include "FakeHost.h"
#include "QStringPrinter.h"

namespace kwemo {
namespace {

using test::control;

// Notes which widget a mouse press reaches first and swallows the click, so it starts nothing.
class PressSpy : public QObject {
 public:
  QPointer<QWidget> reached;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((!press && !release) || !widget) return false;
    if (press && !reached) reached = widget;
    return true;
  }
};

// A mouse click at the centre of every control of the dialog reaches that control.
TEST(SettingsDialogMouse, EveryControlTakesAClickAtItsCentre) {
  ClockSettings record = FirstRunSettings();  // digital text on: its controls enabled
  test::FakeClock clock;
  clock.show();
  QPointer<frmSetting> dlg = new frmSetting(record, clock);
  dlg->show();
  dlg->AcEnabled();
  control<QPushButton>(*dlg, "cmdSetSize").show();  // as with a picture loaded
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg));
  QWindow* window = dlg->windowHandle();

  QList<QWidget*> controls;
  for (QWidget* w : dlg->findChildren<QWidget*>()) {
    const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                         qobject_cast<QAbstractSlider*>(w) ||
                         (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parent()));
    if (control && w->isVisibleTo(dlg)) controls << w;
  }
  ASSERT_GE(controls.size(), 40);

  PressSpy spy;
  qApp->installEventFilter(&spy);
  for (QWidget* control : controls) {
    SCOPED_TRACE((control->toolTip() + control->property("text").toString()).toStdString());
    EXPECT_TRUE(control->isEnabled());
    const QPoint centre = control->mapTo(dlg.data(), control->rect().center());
    EXPECT_TRUE(control == dlg->childAt(centre) || control->isAncestorOf(dlg->childAt(centre)));

    spy.reached = nullptr;
    QTest::mouseClick(window, Qt::LeftButton, {}, centre);
    EXPECT_TRUE(spy.reached && (spy.reached == control || control->isAncestorOf(spy.reached)));
  }
  qApp->removeEventFilter(&spy);
  delete dlg.data();
  SettingOpen = false;
}

}  // namespace
}  // namespace kwemo
