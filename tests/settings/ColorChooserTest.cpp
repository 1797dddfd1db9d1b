#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "settings/SettingsShared.h"
#include "settings/frmColor.h"

namespace kwemo {
namespace {

QColor swatch(const frmColor& c) {
  return c.Picture1->palette().color(QPalette::Window);
}

TEST(ColorChooser, OpensWithTheCallersColourEverywhere) {
  struct Case {
    ColorTriplet in;
    const char* r;
    const char* g;
    const char* b;
  };
  const Case cases[] = {{{10, 200, 255}, "10", "200", "255"},
                        {{0, 0, 0}, "0", "0", "0"},
                        {{255, 255, 255}, "255", "255", "255"}};
  for (const Case& c : cases) {
    ColorExchange.color = c.in;
    int placed = 0;
    frmColor chooser(nullptr, [&](frmColor*) { ++placed; });
    EXPECT_EQ(placed, 1);
    EXPECT_EQ(chooser.hscR->value(), c.in.red);
    EXPECT_EQ(chooser.hscG->value(), c.in.green);
    EXPECT_EQ(chooser.hscB->value(), c.in.blue);
    EXPECT_EQ(chooser.lblR->text(), c.r);
    EXPECT_EQ(chooser.lblG->text(), c.g);
    EXPECT_EQ(chooser.lblB->text(), c.b);
    EXPECT_EQ(swatch(chooser), QColor(c.in.red, c.in.green, c.in.blue));
  }
}

TEST(ColorChooser, LabelsWidenForThreeDigits) {
  ColorExchange.color = {0, 0, 0};
  frmColor chooser;
  const int narrow = chooser.lblR->width();
  chooser.hscR->setValue(255);
  EXPECT_GT(chooser.lblR->width(), narrow);
}

TEST(ColorChooser, BarsDriveLabelsAndSwatchContinuously) {
  ColorExchange.color = {1, 2, 3};
  frmColor chooser;
  chooser.hscG->setSliderDown(true);  // a thumb being dragged
  chooser.hscG->setSliderPosition(77);
  EXPECT_EQ(chooser.lblG->text(), "77");
  EXPECT_EQ(swatch(chooser), QColor(1, 77, 3));
  chooser.hscG->setSliderDown(false);
}

TEST(ColorChooser, OkAnswersTheBarsAndCancelKeepsTheCallersColour) {
  // OK with untouched bars gives back the same colour, not cancelled.
  ColorExchange = {{40, 50, 60}, true};
  {
    frmColor chooser;
    chooser.cmdOK->click();
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
  }
  EXPECT_EQ(ColorExchange.color, (ColorTriplet{40, 50, 60}));
  EXPECT_FALSE(ColorExchange.cancelled);

  {
    frmColor chooser;
    chooser.hscR->setValue(200);
    chooser.hscB->setValue(0);
    chooser.cmdOK->click();
  }
  EXPECT_EQ(ColorExchange.color, (ColorTriplet{200, 50, 0}));
  EXPECT_FALSE(ColorExchange.cancelled);

  // Cancel after moving the bars: the components stay as the caller put them.
  {
    frmColor chooser;
    chooser.hscR->setValue(1);
    chooser.cmdCancel->click();
  }
  EXPECT_EQ(ColorExchange.color, (ColorTriplet{200, 50, 0}));
  EXPECT_TRUE(ColorExchange.cancelled);
}

TEST(ColorChooser, RedHasTheFocusFirstAndTakesKeys) {
  ColorExchange = {{100, 100, 100}, false};
  frmColor chooser;
  chooser.show();
  QApplication::setActiveWindow(&chooser);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
  EXPECT_EQ(QApplication::focusWidget(), chooser.hscR);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(ColorExchange.color, (ColorTriplet{0, 255, 100}));
}

TEST(ColorChooser, EnterIsOkAndEscIsCancel) {
  ColorExchange = {{9, 9, 9}, false};
  {
    frmColor chooser;
    chooser.show();
    chooser.hscB->setValue(100);
    QTest::keyClick(&chooser, Qt::Key_Escape);
    EXPECT_FALSE(chooser.isVisible());
  }
  EXPECT_TRUE(ColorExchange.cancelled);
  EXPECT_EQ(ColorExchange.color, (ColorTriplet{9, 9, 9}));
  {
    frmColor chooser;
    chooser.show();
    chooser.hscB->setValue(100);
    chooser.hscB->setFocus();
    QTest::keyClick(&chooser, Qt::Key_Return);
    EXPECT_FALSE(chooser.isVisible());
  }
  EXPECT_FALSE(ColorExchange.cancelled);
  EXPECT_EQ(ColorExchange.color, (ColorTriplet{9, 9, 100}));
}

}  // namespace
}  // namespace kwemo
