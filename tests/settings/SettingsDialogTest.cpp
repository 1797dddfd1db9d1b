#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>

#include "Controls.h"
#include "FakeHost.h"
#include "ScopedPrompts.h"
#include "Waits.h"
#include "desktop/Prompts.h"
#include "settings/ColorButton.h"
#include "settings/frmColor.h"

namespace kwemo {
namespace {

using test::control;

using test::FakeClock;

using test::flushDeletes;

// One opened dialog over a fake clock window, cleaned up whatever the test did.
struct Opened {
  explicit Opened(const ClockSettings& record) : settings(record) {
    clock.show();
    dlg = new frmSetting(settings, clock);
  }
  ~Opened() {
    delete dlg.data();
    SettingOpen = false;
  }
  ClockSettings settings;
  FakeClock clock;
  QPointer<frmSetting> dlg;
};

TEST(SettingsDialog, LoadsTheRecordAndBarsRewriteTheirBoxes) {
  Opened o(FirstRunSettings());
  frmSetting& d = *o.dlg;
  EXPECT_TRUE(SettingOpen);
  EXPECT_EQ(control<QComboBox>(d, "cmbDrawMode").currentText(),
            "13 - Pen");  // the accelerator cut off
  EXPECT_EQ(control<QComboBox>(d, "cmbFonts").currentText(), "ＭＳ Ｐゴシック");
  EXPECT_EQ(control<QScrollBar>(d, "vscFS").value(), 128);
  EXPECT_EQ(control<QScrollBar>(d, "vscLong", 1).value(), 20);
  EXPECT_EQ(control<QComboBox>(d, "cmbBold", 2).currentText(), "1");
  EXPECT_EQ(control<QLineEdit>(d, "txtForm", 1).text(), "120");
  EXPECT_TRUE(control<QPushButton>(d, "cmdSetSize").isHidden());
  EXPECT_TRUE(control<QLabel>(d, "lblPic").isHidden());
  EXPECT_FALSE(control<QPushButton>(d, "cmdAccept").isEnabled());

  control<QScrollBar>(d, "vscFS").setValue(control<QScrollBar>(d, "vscFS").minimum());
  EXPECT_EQ(control<QLineEdit>(d, "txtFS").text(), "128");
  control<QScrollBar>(d, "vscLong", 0).setValue(35);
  EXPECT_EQ(control<QLineEdit>(d, "txtLong", 0).text(), "65");
  control<QScrollBar>(d, "vscAlign").setValue(100);
  EXPECT_EQ(control<QLineEdit>(d, "txtAlign").text(), "0");
}

TEST(SettingsDialog, LoadingKeepsTheDescribedStateAndApplyDisabled) {
  struct Case {
    const char* name;
    std::function<void(ClockSettings&)> edit;
    std::function<void(frmSetting&)> check;
  };
  const Case cases[] = {
      {"DigitalClock 0", [](ClockSettings& s) { s.DigitalClock = 0; },
       [](frmSetting& d) {
         EXPECT_EQ(frmSetting::checkValue(&control<QCheckBox>(d, "chkDC")), 0);
         for (QWidget* w : std::initializer_list<QWidget*>{
                  &control<QLineEdit>(d, "txtFS"), &control<QScrollBar>(d, "vscFS"),
                  &control<QLineEdit>(d, "txtDF"), &control<QCheckBox>(d, "chkFont", 0),
                  &control<QCheckBox>(d, "chkFont", 1), &control<QComboBox>(d, "cmbFonts"),
                  &control<QScrollBar>(d, "vscAlign"), &control<QLineEdit>(d, "txtAlign"),
                  &control<ColorButton>(d, "cmdHari", 5)})
           EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();
         EXPECT_TRUE(control<QCheckBox>(d, "chkmline").isEnabled());
       }},
      {"Memori", [](ClockSettings& s) { s.Memori = true; },
       [](frmSetting& d) {
         EXPECT_EQ(frmSetting::checkValue(&control<QCheckBox>(d, "chkMemori")), 1);
         EXPECT_FALSE(control<QCheckBox>(d, "chkmline").isEnabled());
         EXPECT_TRUE(control<QLineEdit>(d, "txtFS").isEnabled());
       }},
      {"TextTop 72.5", [](ClockSettings& s) { s.TextTop = 72.5f; },
       [](frmSetting& d) {
         EXPECT_EQ(control<QScrollBar>(d, "vscAlign").value(), 28);  // 27.5 to even
         EXPECT_EQ(control<QLineEdit>(d, "txtAlign").text(), "72");  // rewritten by the bar
       }},
      {"HourLine 0", [](ClockSettings& s) { s.HourLine = 0; },
       [](frmSetting& d) {
         EXPECT_EQ(control<QComboBox>(d, "cmbBold", 0).currentIndex(), -1);
         EXPECT_EQ(control<QComboBox>(d, "cmbBold", 1).currentIndex(), 1);
       }},
      {"FontSize 200", [](ClockSettings& s) { s.FontSize = 200; },
       [](frmSetting& d) {
         EXPECT_EQ(control<QLineEdit>(d, "txtFS").text(), "200");
         EXPECT_EQ(control<QScrollBar>(d, "vscFS").value(),
                   8);  // out of the bar's range: left where it was
       }},
      {"DrawMode 0", [](ClockSettings& s) { s.DrawMode = 0; },
       [](frmSetting& d) { EXPECT_EQ(control<QComboBox>(d, "cmbDrawMode").currentIndex(), -1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ClockSettings record = FirstRunSettings();
    c.edit(record);
    Opened o(record);
    c.check(*o.dlg);
    EXPECT_FALSE(control<QPushButton>(*o.dlg, "cmdAccept").isEnabled());
  }
}

TEST(SettingsDialog, EveryChangeEnablesApplyButTypingSizeOrLength) {
  struct Case {
    const char* name;
    std::function<void(frmSetting&)> act;
    bool enables;
  };
  const Case cases[] = {
      {"chkSV", [](frmSetting& d) { control<QCheckBox>(d, "chkSV").click(); }, true},
      {"chkMemori", [](frmSetting& d) { control<QCheckBox>(d, "chkMemori").click(); }, true},
      {"chkmline", [](frmSetting& d) { control<QCheckBox>(d, "chkmline").click(); }, true},
      {"chkNhari", [](frmSetting& d) { control<QCheckBox>(d, "chkNhari").click(); }, true},
      {"chkDC", [](frmSetting& d) { control<QCheckBox>(d, "chkDC").click(); }, true},
      {"chkFont(0)", [](frmSetting& d) { control<QCheckBox>(d, "chkFont", 0).click(); }, true},
      {"cmbBold(0)", [](frmSetting& d) { control<QComboBox>(d, "cmbBold", 0).setCurrentIndex(4); },
       true},
      {"cmbDrawMode",
       [](frmSetting& d) { control<QComboBox>(d, "cmbDrawMode").setCurrentIndex(6); }, true},
      {"cmbFonts typed",
       [](frmSetting& d) { QTest::keyClicks(&control<QComboBox>(d, "cmbFonts"), "x"); }, true},
      {"cmbFonts picked",
       [](frmSetting& d) { control<QComboBox>(d, "cmbFonts").setCurrentIndex(0); }, true},
      {"txtAlign", [](frmSetting& d) { QTest::keyClicks(&control<QLineEdit>(d, "txtAlign"), "1"); },
       true},
      {"txtDF", [](frmSetting& d) { QTest::keyClicks(&control<QLineEdit>(d, "txtDF"), "s"); },
       true},
      {"txtForm(0)",
       [](frmSetting& d) { QTest::keyClicks(&control<QLineEdit>(d, "txtForm", 0), "0"); }, true},
      {"txtBackFile",
       [](frmSetting& d) { QTest::keyClicks(&control<QLineEdit>(d, "txtBackFile"), "/"); }, true},
      {"vscLong(1)",
       [](frmSetting& d) {
         control<QScrollBar>(d, "vscLong", 1).triggerAction(QAbstractSlider::SliderPageStepAdd);
       },
       true},
      {"vscFS",
       [](frmSetting& d) {
         control<QScrollBar>(d, "vscFS").triggerAction(QAbstractSlider::SliderSingleStepSub);
       },
       true},
      {"vscAlign", [](frmSetting& d) { control<QScrollBar>(d, "vscAlign").setValue(50); }, true},
      {"typing txtFS",
       [](frmSetting& d) { QTest::keyClicks(&control<QLineEdit>(d, "txtFS"), "2"); }, false},
      {"typing txtLong(0)",
       [](frmSetting& d) { QTest::keyClicks(&control<QLineEdit>(d, "txtLong", 0), "2"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Opened o(FirstRunSettings());
    ASSERT_FALSE(control<QPushButton>(*o.dlg, "cmdAccept").isEnabled());
    c.act(*o.dlg);
    EXPECT_EQ(control<QPushButton>(*o.dlg, "cmdAccept").isEnabled(), c.enables);
  }
}

TEST(SettingsDialog, ApplyWritesTheRecordAndSizesTheClock) {
  Opened o(FirstRunSettings());
  frmSetting& d = *o.dlg;
  const QPoint topLeft = o.clock.pos();
  // Apply with no edits gives back the same record.
  control<QPushButton>(d, "cmdAccept").setEnabled(true);
  control<QPushButton>(d, "cmdAccept").click();
  EXPECT_EQ(o.settings, FirstRunSettings());
  EXPECT_TRUE(o.clock.face.NeedPrepare);

  o.clock.face.NeedPrepare = false;
  // Blanks left around a number do not matter.
  control<QLineEdit>(d, "txtForm", 0).setText("200 ");
  control<QLineEdit>(d, "txtForm", 1).setText("\t150");
  control<QLineEdit>(d, "txtDF").setText("hh:nn:ss");
  control<QLineEdit>(d, "txtFS").setText("12 ");
  control<QComboBox>(d, "cmbDrawMode").setCurrentIndex(6);
  control<QComboBox>(d, "cmbBold", 2).setCurrentIndex(3);
  control<QCheckBox>(d, "chkNhari").click();
  control<QLineEdit>(d, "txtLong", 0).setText(QStringLiteral("\u300062.5"));
  ASSERT_TRUE(control<QPushButton>(d, "cmdAccept").isEnabled());
  control<QPushButton>(d, "cmdAccept").click();
  EXPECT_EQ(o.clock.size(), QSize(200, 150));
  EXPECT_EQ(o.clock.pos(), topLeft);
  EXPECT_FALSE(control<QPushButton>(d, "cmdAccept").isEnabled());
  EXPECT_TRUE(o.clock.face.NeedPrepare);
  EXPECT_EQ(o.settings.Format, "hh:nn:ss");
  EXPECT_EQ(o.settings.FontSize, 12);
  EXPECT_EQ(o.settings.DrawMode, 7);
  EXPECT_EQ(o.settings.SecondLine, 4);
  EXPECT_TRUE(o.settings.nHari);
  EXPECT_FLOAT_EQ(o.settings.hLong[0], 62.5f);
  EXPECT_TRUE(SettingOpen);

  // While the dialog is open, resizing the clock rewrites the size fields.
  o.clock.resize(321, 99);
  EXPECT_EQ(control<QLineEdit>(d, "txtForm", 0).text(), "321");
  EXPECT_EQ(control<QLineEdit>(d, "txtForm", 1).text(), "99");
}

TEST(SettingsDialog, OkCancelAndCloseWithAndWithoutApply) {
  struct Case {
    const char* name;
    bool applyFirst;  // Apply "nn" before the last edit to "ss"
    std::function<void(frmSetting&)> leave;
    const char* format;
  };
  const Case cases[] = {
      {"Cancel", false, [](frmSetting& d) { control<QPushButton>(d, "cmdCancel").click(); },
       "m/d h:nn"},
      {"Apply, Cancel", true, [](frmSetting& d) { control<QPushButton>(d, "cmdCancel").click(); },
       "nn"},
      {"OK", false, [](frmSetting& d) { control<QPushButton>(d, "cmdOK").click(); }, "ss"},
      {"Apply, OK", true, [](frmSetting& d) { control<QPushButton>(d, "cmdOK").click(); }, "ss"},
      {"Esc", false, [](frmSetting& d) { QTest::keyClick(&d, Qt::Key_Escape); }, "m/d h:nn"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Opened o(FirstRunSettings());
    o.dlg->show();
    if (c.applyFirst) {
      control<QLineEdit>(*o.dlg, "txtDF").setText("nn");
      control<QPushButton>(*o.dlg, "cmdAccept").click();
    }
    control<QLineEdit>(*o.dlg, "txtDF").setText("ss");
    c.leave(*o.dlg);
    flushDeletes();
    EXPECT_TRUE(o.dlg.isNull());
    EXPECT_FALSE(SettingOpen);
    EXPECT_EQ(OpenSettings(), nullptr);
    EXPECT_EQ(o.settings.Format, c.format);
    const bool changed = o.settings.Format != FirstRunSettings().Format;
    EXPECT_EQ(o.clock.face.NeedPrepare, changed);
    if (!changed) {
      EXPECT_EQ(o.settings, FirstRunSettings());
    }
    o.clock.resize(150, 150);  // no longer reaches a dialog
  }
}

// One refused entry per box (which entries are refused is the values' own test).
TEST(SettingsDialog, RefusesEntriesTheClockCannotUse) {
  struct Case {
    const char* name;
    std::function<QLineEdit*(frmSetting&)> field;
    const char* text;
  };
  const Case cases[] = {
      {"width text", [](frmSetting& d) { return &control<QLineEdit>(d, "txtForm", 0); }, "abc"},
      {"height too small", [](frmSetting& d) { return &control<QLineEdit>(d, "txtForm", 1); },
       "15"},
      {"length", [](frmSetting& d) { return &control<QLineEdit>(d, "txtLong", 1); }, "8o"},
      {"font size 0", [](frmSetting& d) { return &control<QLineEdit>(d, "txtFS"); }, "0"},
      {"position", [](frmSetting& d) { return &control<QLineEdit>(d, "txtAlign"); }, "top"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScopedPrompts run;
    run.scripted.answer(Answer::Ok);
    Opened o(FirstRunSettings());
    frmSetting& d = *o.dlg;
    control<QLineEdit>(d, "txtDF").setText("changed");
    QLineEdit* field = c.field(d);
    field->setText(c.text);
    control<QPushButton>(d, "cmdOK").click();
    flushDeletes();
    ASSERT_FALSE(o.dlg.isNull());               // stays open
    EXPECT_EQ(o.settings, FirstRunSettings());  // nothing half-applied
    EXPECT_TRUE(o.clock.requested.empty());
    EXPECT_FALSE(o.clock.face.NeedPrepare);
    EXPECT_TRUE(SettingOpen);
    ASSERT_EQ(run.scripted.asked().size(), 1u);
    EXPECT_EQ(run.scripted.asked()[0].title, "KWEMO Setting");
    EXPECT_FALSE(run.scripted.asked()[0].text.isEmpty());
    EXPECT_EQ(d.focusWidget(), field);
    EXPECT_EQ(field->selectedText(), field->text());
    // Apply refuses it the same way and stays enabled.
    run.scripted.answer(Answer::Ok);
    control<QPushButton>(d, "cmdAccept").click();
    EXPECT_TRUE(control<QPushButton>(d, "cmdAccept").isEnabled());
    EXPECT_EQ(o.settings, FirstRunSettings());
  }
  // Of two bad fields the upper one is reported.
  test::ScopedPrompts run;
  run.scripted.answer(Answer::Ok);
  Opened o(FirstRunSettings());
  control<QLineEdit>(*o.dlg, "txtAlign").setText("x");
  control<QLineEdit>(*o.dlg, "txtForm", 1).setText("y");
  control<QPushButton>(*o.dlg, "cmdOK").click();
  EXPECT_EQ(o.dlg->focusWidget(), &control<QLineEdit>(*o.dlg, "txtForm", 1));
}

TEST(SettingsDialog, DisabledTextBoxesDoNotBlockOk) {
  // A record without a font size (0) and the digital text off: the boxes that cannot be edited
  // do not stop OK, and their unusable values leave the record's.
  ClockSettings record = FirstRunSettings();
  record.DigitalClock = 0;
  record.FontSize = 0;
  test::ScopedPrompts run;
  Opened o(record);
  control<QLineEdit>(*o.dlg, "txtAlign").setText("x");
  control<QLineEdit>(*o.dlg, "txtForm", 0).setText("200");
  control<QPushButton>(*o.dlg, "cmdOK").click();
  flushDeletes();
  EXPECT_TRUE(run.scripted.asked().empty());
  EXPECT_TRUE(o.dlg.isNull());
  EXPECT_EQ(o.settings.FontSize, 0);
  EXPECT_FLOAT_EQ(o.settings.TextTop, 70);
  EXPECT_EQ(o.clock.size(), QSize(200, 120));
}

TEST(SettingsDialog, ColourButtonsGoThroughTheChooser) {
  ClockSettings record = FirstRunSettings();
  record.Second_R = 200;
  record.Second_G = 100;
  record.Second_B = 50;
  record.updateColors();
  Opened o(record);
  frmSetting& d = *o.dlg;

  // Cancel changes nothing.
  QString title;
  auto watch = test::whenUp<frmColor>([&](frmColor& c) {
    title = c.windowTitle();
    EXPECT_EQ(control<QScrollBar>(c, "hscR").value(), 200);
    EXPECT_EQ(control<QScrollBar>(c, "hscG").value(), 100);
    EXPECT_EQ(control<QScrollBar>(c, "hscB").value(), 50);
    control<QScrollBar>(c, "hscR").setValue(0);
    control<QPushButton>(c, "cmdCancel").click();
  });
  control<ColorButton>(d, "cmdHari", 2).click();
  EXPECT_EQ(title, "秒針色の選択");
  EXPECT_EQ(control<ColorButton>(d, "cmdHari", 2).BackColor(), RGB(200, 100, 50));
  EXPECT_FALSE(control<QPushButton>(d, "cmdAccept").isEnabled());
  ASSERT_FALSE(o.clock.stacked.empty());
  EXPECT_EQ(o.clock.stacked.back().after, &d);

  // OK with untouched bars keeps the colour but counts as a change.
  watch = test::whenUp<frmColor>([](frmColor& c) { control<QPushButton>(c, "cmdOK").click(); });
  control<ColorButton>(d, "cmdHari", 2).click();
  EXPECT_EQ(control<ColorButton>(d, "cmdHari", 2).BackColor(), RGB(200, 100, 50));
  EXPECT_TRUE(control<QPushButton>(d, "cmdAccept").isEnabled());

  // A new colour reaches the button, the working copy and, once applied, the record.
  watch = test::whenUp<frmColor>([&](frmColor& c) {
    title = c.windowTitle();
    control<QScrollBar>(c, "hscR").setValue(1);
    control<QScrollBar>(c, "hscG").setValue(2);
    control<QScrollBar>(c, "hscB").setValue(3);
    control<QPushButton>(c, "cmdOK").click();
  });
  control<ColorButton>(d, "cmdHari", 3).click();
  EXPECT_EQ(title, "背景色の選択");
  EXPECT_EQ(control<ColorButton>(d, "cmdHari", 3).BackColor(), RGB(1, 2, 3));
  EXPECT_EQ(d.EditColors[3], (ColorTriplet{1, 2, 3}));
  control<QPushButton>(d, "cmdAccept").click();
  EXPECT_EQ(o.settings.BG_R, 1);
  EXPECT_EQ(o.settings.BG_G, 2);
  EXPECT_EQ(o.settings.BG_B, 3);
  EXPECT_EQ(o.settings.SecondColor, RGB(200, 100, 50));
}

TEST(SettingsDialog, ShowSettingsKeepsOneInstance) {
  ClockSettings settings = FirstRunSettings();
  FakeClock clock;
  frmSetting* first = ShowSettings(settings, clock);
  control<QLineEdit>(*first, "txtDF").setText("edited");
  frmSetting* second = ShowSettings(settings, clock);
  EXPECT_EQ(first, second);
  EXPECT_EQ(control<QLineEdit>(*second, "txtDF").text(), "edited");
  EXPECT_TRUE(second->isVisible());
  control<QPushButton>(*second, "cmdCancel").click();
  flushDeletes();
  EXPECT_EQ(OpenSettings(), nullptr);
  frmSetting* third = ShowSettings(settings, clock);
  EXPECT_EQ(control<QLineEdit>(*third, "txtDF").text(), "m/d h:nn");  // a fresh dialog
  control<QPushButton>(*third, "cmdCancel").click();
  flushDeletes();
}

}  // namespace
}  // namespace kwemo
