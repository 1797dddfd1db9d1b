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
#include <QTimer>
#include <QWindow>

#include "FakeHost.h"
#include "QStringPrinter.h"
#include "settings/ColorButton.h"
#include "settings/frmColor.h"

namespace kwemo {
namespace {

// Notes which widget a mouse press reaches first. Presses on controls other than `passOn` are
// swallowed there, so a click proves only where it lands and starts nothing.
class PressSpy : public QObject {
 public:
  QWidget* passOn = nullptr;
  QPointer<QWidget> reached;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    auto* widget = qobject_cast<QWidget*>(watched);
    if ((!press && !release) || !widget) return false;
    if (press && !reached) reached = widget;
    return passOn == nullptr || !(passOn == widget || passOn->isAncestorOf(widget));
  }
};

// A mouse click at the centre of every control of the dialog reaches that control; each of the
// six colour buttons opens the colour chooser for its row.
TEST(SettingsDialogMouse, EveryControlTakesAClickAtItsCentre) {
  ClockSettings record = FirstRunSettings();  // digital text on: its controls enabled
  test::FakeClock clock;
  clock.show();
  QPointer<frmSetting> dlg = new frmSetting(record, clock);
  dlg->show();
  dlg->AcEnabled();
  dlg->cmdSetSize->show();  // as with a picture loaded
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
    SCOPED_TRACE(control->metaObject()->className() +
                 (": " + control->toolTip() + control->property("text").toString()).toStdString());
    EXPECT_TRUE(control->isEnabled());
    const QPoint centre = control->mapTo(dlg.data(), control->rect().center());
    EXPECT_TRUE(control == dlg->childAt(centre) || control->isAncestorOf(dlg->childAt(centre)));

    const auto hari = std::find(dlg->cmdHari.begin(), dlg->cmdHari.end(), control);
    const bool colour = hari != dlg->cmdHari.end();
    spy.passOn = colour ? control : nullptr;
    spy.reached = nullptr;
    QString chooserTitle;
    if (colour)
      QTimer::singleShot(0, [&chooserTitle] {
        if (auto* chooser = qobject_cast<frmColor*>(QApplication::activeModalWidget())) {
          chooserTitle = chooser->windowTitle();
          chooser->reject();
        }
      });
    QTest::mouseClick(window, Qt::LeftButton, {}, centre);
    EXPECT_TRUE(spy.reached && (spy.reached == control || control->isAncestorOf(spy.reached)))
        << "reached " << (spy.reached ? spy.reached->metaObject()->className() : "nothing");
    if (colour) {
      const auto i = static_cast<std::size_t>(hari - dlg->cmdHari.begin());
      EXPECT_EQ(chooserTitle, dlg->lblCap[i]->text() + "色の選択");
    }
  }
  qApp->removeEventFilter(&spy);
  delete dlg.data();
  SettingOpen = false;
}

}  // namespace
}  // namespace kwemo
