#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <functional>

#include "Controls.h"
#include "settings/SettingsShared.h"
#include "settings/frmColor.h"

namespace kwemo {
namespace {

using test::control;

QColor swatch(const frmColor& c) {
  return control<QWidget>(c, "Picture1").palette().color(QPalette::Window);
}

TEST(ColorChooser, OpensWithTheCallersColourAndBarsDriveLabelsAndSwatch) {
  ColorExchange.color = {10, 200, 255};
  int placed = 0;
  frmColor chooser(nullptr, [&](frmColor*) { ++placed; });
  EXPECT_EQ(placed, 1);
  EXPECT_EQ(control<QScrollBar>(chooser, "hscB").value(), 255);
  EXPECT_EQ(control<QLabel>(chooser, "lblB").text(), "255");
  EXPECT_EQ(swatch(chooser), QColor(10, 200, 255));
  // Continuously, while a thumb is being dragged.
  control<QScrollBar>(chooser, "hscG").setSliderDown(true);
  control<QScrollBar>(chooser, "hscG").setSliderPosition(77);
  EXPECT_EQ(control<QLabel>(chooser, "lblG").text(), "77");
  EXPECT_EQ(swatch(chooser), QColor(10, 77, 255));
  control<QScrollBar>(chooser, "hscG").setSliderDown(false);
}

// OK and Cancel by button go through the settings dialog's colour buttons; here the keys.
TEST(ColorChooser, EnterAnswersTheBarsAndEscKeepsTheCallersColour) {
  struct Case {
    const char* name;
    std::function<void(frmColor&)> leave;
    ColorTriplet expected;
    bool cancelled;
  };
  const Case cases[] = {
      {"Enter",
       [](frmColor& c) { QTest::keyClick(&control<QScrollBar>(c, "hscB"), Qt::Key_Return); },
       {200, 50, 0},
       false},
      {"Esc", [](frmColor& c) { QTest::keyClick(&c, Qt::Key_Escape); }, {40, 50, 60}, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ColorExchange = {{40, 50, 60}, !c.cancelled};
    {
      frmColor chooser;
      chooser.show();
      control<QScrollBar>(chooser, "hscR").setValue(200);
      control<QScrollBar>(chooser, "hscB").setValue(0);
      c.leave(chooser);
      EXPECT_FALSE(chooser.isVisible());
    }
    EXPECT_EQ(ColorExchange.color, c.expected);
    EXPECT_EQ(ColorExchange.cancelled, c.cancelled);
  }
}

}  // namespace
}  // namespace kwemo
