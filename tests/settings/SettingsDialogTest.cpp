// The settings dialog as the user drives it, over a fake clock window.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "FakeHost.h"
#include "FileBytes.h"
#include "Waits.h"
#include "settings/ColorButton.h"
#include "settings/StyleSets.h"
#include "settings/frmColor.h"

namespace kwemo {
namespace {

using test::control;
using test::flushDeletes;
using test::OpenDialog;

// A user's change to any kind of control.
void poke(QWidget& w) {
  if (auto* button = qobject_cast<QAbstractButton*>(&w))
    button->click();
  else if (auto* bar = qobject_cast<QScrollBar*>(&w))
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  else if (auto* list = qobject_cast<QComboBox*>(&w); list && !list->isEditable())
    list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
  else
    QTest::keyClicks(&w, "1");
}

// Loading sets the controls from the record without counting as a change; each bar rewrites its
// box, upside down.
TEST(SettingsDialog, LoadsTheRecordAndBarsRewriteTheirBoxes) {
  ClockSettings record = FirstRunSettings();
  record.DigitalClock = 0;
  record.Memori = true;
  record.FontSize = 200;
  OpenDialog o(record);
  EXPECT_TRUE(SettingOpen);
  EXPECT_EQ(o.c<QComboBox>("cmbDrawMode").currentText(), "13 - Pen");  // the accelerator cut off
  EXPECT_EQ(o.c<QComboBox>("cmbFonts").currentText(), "ＭＳ Ｐゴシック");
  for (const char* name : {"txtFS", "vscFS", "txtDF", "cmbFonts", "vscAlign", "txtAlign",
                           "chkFont(1)", "cmdHari(5)", "chkmline", "cmdAccept"})
    EXPECT_FALSE(o.c<QWidget>(name).isEnabled()) << name;
  EXPECT_EQ(o.c<QLineEdit>("txtFS").text(), "200");
  EXPECT_EQ(o.c<QScrollBar>("vscFS").value(), 8);  // out of the bar's range: left alone
  for (const auto& [bar, value, box, text] : {std::tuple{"vscFS", 9, "txtFS", "127"},
                                              {"vscLong(0)", 35, "txtLong(0)", "65"},
                                              {"vscAlign", 100, "txtAlign", "0"}}) {
    o.c<QScrollBar>(bar).setValue(value);
    EXPECT_EQ(o.c<QLineEdit>(box).text(), text) << bar;
  }
}

TEST(SettingsDialog, EveryChangeEnablesApplyButTypingSizeOrLength) {
  for (const char* name :
       {"chkSV", "chkMemori", "chkmline", "chkNhari", "chkDC", "chkFont(0)", "cmbBold(0)",
        "cmbDrawMode", "cmbFonts", "txtAlign", "txtDF", "txtForm(0)", "txtBackFile", "vscLong(1)",
        "vscFS", "vscAlign", "txtFS", "txtLong(0)"}) {
    OpenDialog o;
    poke(o.c<QWidget>(name));
    EXPECT_EQ(o.c<QPushButton>("cmdAccept").isEnabled(),
              !QByteArray(name).startsWith("txtFS") && !QByteArray(name).startsWith("txtL"))
        << name;
  }
}

TEST(SettingsDialog, ApplyWritesTheRecordAndSizesTheClock) {
  OpenDialog o;
  const QPoint topLeft = o.clock.pos();
  QPushButton& apply = o.c<QPushButton>("cmdAccept");
  apply.setEnabled(true);
  apply.click();  // with no edits: the same record
  EXPECT_TRUE(o.settings == FirstRunSettings() && o.clock.face.NeedPrepare);

  // Blanks left around a number do not matter; each list is read into its own setting.
  o.c<QLineEdit>("txtForm(0)").setText("200 ");
  o.c<QLineEdit>("txtForm(1)").setText("\t150");
  o.c<QComboBox>("cmbBold(2)").setCurrentIndex(3);
  apply.click();
  EXPECT_EQ(QRect(o.clock.pos(), o.clock.size()), QRect(topLeft, QSize(200, 150)));
  EXPECT_TRUE(!apply.isEnabled() && o.settings.SecondLine == 4);

  // While the dialog is open, resizing the clock rewrites the size fields.
  o.clock.resize(321, 99);
  EXPECT_EQ(o.c<QLineEdit>("txtForm(0)").text() + o.c<QLineEdit>("txtForm(1)").text(), "32199");
}

// OK and Apply put the applied record on disk at once, so that a crash later loses nothing. Rows:
// whether "nn" is applied before the last edit to "ss", the way out, the formats saved.
TEST(SettingsDialog, OkCancelAndEscWithAndWithoutApply) {
  const std::tuple<bool, const char*, QStringList> cases[] = {{false, "cmdCancel", {}},
                                                              {true, "cmdCancel", {"nn"}},
                                                              {false, "cmdOK", {"ss"}},
                                                              {true, "cmdOK", {"nn", "ss"}},
                                                              {false, "Esc", {}}};
  for (const auto& [applyFirst, leave, saved] : cases) {
    SCOPED_TRACE(testing::Message() << applyFirst << leave);
    OpenDialog o;
    if (applyFirst) {
      o.c<QLineEdit>("txtDF").setText("nn");
      o.c<QPushButton>("cmdAccept").click();
    }
    o.c<QLineEdit>("txtDF").setText("ss");
    *leave == 'E' ? QTest::keyClick(o.dlg, Qt::Key_Escape) : o.c<QPushButton>(leave).click();
    flushDeletes();
    EXPECT_TRUE(o.dlg.isNull() && !SettingOpen && !OpenSettings());
    EXPECT_EQ(o.settings.Format, saved.isEmpty() ? "m/d h:nn" : saved.back());
    EXPECT_EQ(o.clock.saved, saved);
    EXPECT_EQ(o.clock.face.NeedPrepare, !saved.isEmpty());
    o.clock.resize(150, 150);  // no longer reaches a dialog
  }
}

// One refused entry per box (which entries are refused is the values' own test); of two bad
// fields the upper one is reported.
TEST(SettingsDialog, RefusesEntriesTheClockCannotUse) {
  const std::vector<std::pair<const char*, const char*>> cases[] = {
      {{"txtForm(0)", "abc"}}, {{"txtFS", "0"}}, {{"txtAlign", "x"}, {"txtForm(1)", "y"}}};
  for (const auto& edits : cases) {
    SCOPED_TRACE(edits.back().first);
    OpenDialog o;
    o.c<QLineEdit>("txtDF").setText("changed");
    for (const auto& [box, text] : edits) o.c<QLineEdit>(box).setText(text);
    QLineEdit& field = o.c<QLineEdit>(edits.back().first);
    for (const char* button : {"cmdOK", "cmdAccept"}) {
      o.prompts.answer(Answer::Ok);
      o.c<QPushButton>(button).click();
      flushDeletes();
      ASSERT_FALSE(o.dlg.isNull());  // stays open, nothing half-applied
      EXPECT_EQ(o.settings, FirstRunSettings());
      EXPECT_TRUE(o.clock.size() == QSize(120, 120) && o.clock.saved.isEmpty());
      EXPECT_TRUE(o.dlg->focusWidget() == &field && field.selectedText() == field.text());
    }
    EXPECT_EQ(o.prompts.asked().size(), 2u);
    EXPECT_TRUE(o.c<QPushButton>("cmdAccept").isEnabled());
  }
  // Boxes that cannot be edited block nothing.
  OpenDialog o;
  o.c<QLineEdit>("txtAlign").setText("x");
  o.c<QCheckBox>("chkDC").click();
  o.c<QPushButton>("cmdOK").click();
  EXPECT_TRUE(o.prompts.asked().empty() && o.settings.TextTop == 70);
}

TEST(SettingsDialog, ColourButtonsGoThroughTheChooser) {
  ClockSettings record = FirstRunSettings();
  record.Second_R = 200;
  record.Second_B = 50;
  record.updateColors();
  OpenDialog o(record);
  // Cancel and Esc keep the colour, OK and Enter take the bars'.
  const std::tuple<int, const char*, bool> cases[] = {
      {2, "cmdCancel", false}, {2, "Esc", false}, {3, "cmdOK", true}, {3, "Return", true}};
  for (const auto& [button, leave, taken] : cases) {
    SCOPED_TRACE(leave);
    o.c<QPushButton>("cmdAccept").setEnabled(false);
    auto watch = test::whenUp<frmColor>([&](frmColor& chooser) {
      // The bars drive the labels and the swatch, continuously while a thumb is dragged.
      QScrollBar& green = control<QScrollBar>(chooser, "hscG");
      green.setSliderDown(true);
      green.setSliderPosition(77);
      EXPECT_EQ(control<QLabel>(chooser, "lblG").text(), "77");
      control<QScrollBar>(chooser, "hscR").setValue(1);
      control<QScrollBar>(chooser, "hscB").setValue(255);
      EXPECT_EQ(control<QWidget>(chooser, "Picture1").palette().color(QPalette::Window),
                QColor(1, 77, 255));
      green.setSliderDown(false);
      QByteArray(leave).startsWith("cmd")
          ? control<QPushButton>(chooser, leave).click()
          : QTest::keyClick(&green, *leave == 'E' ? Qt::Key_Escape : Qt::Key_Return);
    });
    o.c<ColorButton>("cmdHari", button).click();
    EXPECT_EQ(o.c<ColorButton>("cmdHari", button).BackColor(),
              taken ? RGB(1, 77, 255) : RGB(200, 0, 50));
    EXPECT_EQ(o.c<QPushButton>("cmdAccept").isEnabled(), taken);
    EXPECT_EQ(o.clock.stackedAfter, o.dlg.data());
  }
  o.c<QPushButton>("cmdAccept").click();
  EXPECT_EQ(o.settings.backgroundColor(), RGB(1, 77, 255));
  EXPECT_EQ(o.settings.SecondColor, RGB(200, 0, 50));
}

TEST(SettingsDialog, BackgroundPictureFollowsThePathAndSizesTheForm) {
  QTemporaryDir dir;
  const QString bmp = dir.filePath("back.bmp");
  ASSERT_TRUE(QImage(200, 150, QImage::Format_RGB32).save(bmp, "BMP"));
  ClockSettings record = FirstRunSettings();
  record.BackBMP = bmp;
  OpenDialog o(record);
  auto shown = [&] {
    const bool label = !o.c<QLabel>("lblPic").isHidden();
    EXPECT_TRUE(label == !o.c<QPushButton>("cmdSetSize").isHidden() &&
                label == o.dlg->imgPrev().has_value());
    return label;
  };
  EXPECT_TRUE(shown());  // the applied picture, Apply still disabled
  EXPECT_EQ(o.c<QLabel>("lblPic").text(), "画像 - W:200 , H:150");
  EXPECT_FALSE(o.c<QPushButton>("cmdAccept").isEnabled());

  QLineEdit& path = o.c<QLineEdit>("txtBackFile");
  QTest::keyClicks(&path, "x");  // no longer a file; the text stays
  EXPECT_FALSE(shown());
  QTest::keyClick(&path, Qt::Key_Backspace);
  EXPECT_TRUE(shown());

  o.prompts.choose(bmp);
  o.c<QPushButton>("cmdBrouse").click();
  EXPECT_TRUE(shown());
  o.c<QPushButton>("cmdSetSize").click();
  o.c<QPushButton>("cmdAccept").click();
  EXPECT_EQ(o.clock.size(), QSize(200, 150));
  o.prompts.choose(QString());  // the user cancels: no picture
  o.c<QPushButton>("cmdBrouse").click();
  EXPECT_FALSE(shown());
  o.c<QPushButton>("cmdAccept").click();
  EXPECT_EQ(o.settings.BackBMP, "");
}

// As the user picks a style set: the list's popup opened and the entry clicked.
void pick(OpenDialog& o, const QString& entry) {
  QComboBox& list = o.c<QComboBox>("cmbSkin");
  list.showPopup();
  QAbstractItemView* view = list.view();
  const QPoint at = view->visualRect(view->model()->index(list.findText(entry), 0)).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  EXPECT_FALSE(view->isVisible()) << entry.toStdString();
}

TEST(SettingsDialog, StyleSetsSaveTheLookAndLoadItBack) {
  QDir(styleSetRoot()).removeRecursively();
  QTemporaryDir files;
  const QString picture = files.filePath("pic.bmp");
  ASSERT_TRUE(QImage(20, 10, QImage::Format_RGB32).save(picture, "BMP"));
  // Set folders only, hidden ones left out, sorted by name whatever the case.
  for (const char* folder : {"foreign", ".hidden", "empty"}) QDir().mkpath(styleSetRoot() + folder);
  test::writeBytes(styleSetRoot() + "foreign/Style.kws", "Other File\r\n1,2\r\n");
  test::writeBytes(styleSetRoot() + "loose.kws", "KWEMO StyleSet File\r\n");
  StyleSetValues plain;
  plain.txtDF = "nn:ss";
  ASSERT_EQ(saveStyleSet(styleSetRoot(), "plain", plain, {}, nullptr), StyleSetSave::Saved);
  OpenDialog o;
  // A user's edits.
  o.dlg->EditColors[1] = {1, 2, 3};
  o.c<ColorButton>("cmdHari", 1).setBackColor(RGB(1, 2, 3));
  o.c<QLineEdit>("txtLong", 0).setText("62.5");
  o.c<QCheckBox>("chkDC").setChecked(false);
  o.c<QCheckBox>("chkFont", 1).setChecked(true);
  o.c<QLineEdit>("txtBackFile").setText(picture);
  const StyleSetValues saved = o.dlg->values().look;
  o.prompts.type("Mine");
  o.c<QPushButton>("cmdSSave").click();
  QComboBox& list = o.c<QComboBox>("cmbSkin");
  EXPECT_EQ(QString::number(list.currentIndex()) + list.itemText(0) + list.itemText(1) +
                list.itemText(2) + list.itemText(3) + list.itemText(4) + list.itemText(5),
            "-1" + kResetEntry + "emptyforeignMineplain");  // nothing picked

  // The reset entry: the initial look, bold and italic kept, no picture, no minute dots.
  QCheckBox& dots = o.c<QCheckBox>("chkmline");
  dots.setChecked(true);
  pick(o, kResetEntry);
  StyleSetValues initial;
  initial.chkFont = {0, 1};
  EXPECT_EQ(o.dlg->values().look, initial);
  EXPECT_EQ(o.c<ColorButton>("cmdHari(1)").BackColor(), RGB(0, 0, 0));
  EXPECT_FALSE(dots.isChecked() || o.dlg->imgPrev().has_value());

  // The set: every control back, lengths as integers, the picture from the set's folder.
  dots.setChecked(true);
  o.c<QPushButton>("cmdAccept").setEnabled(false);
  pick(o, "Mine");
  StyleSetValues expected = saved;
  expected.txtLong[0] = "62";
  expected.vscLong[0] = 38;
  EXPECT_EQ(o.dlg->values().look, expected);
  EXPECT_EQ(o.c<ColorButton>("cmdHari", 1).BackColor(), RGB(1, 2, 3));
  EXPECT_TRUE(dots.isChecked() && o.c<QPushButton>("cmdAccept").isEnabled());
  EXPECT_FALSE(o.c<QLineEdit>("txtFS").isEnabled());  // follows chkDC
  EXPECT_TRUE(o.dlg->imgPrev() && o.dlg->imgPrev()->width == 20);

  // A bad set changes nothing; a set without a picture leaves the path.
  o.c<QPushButton>("cmdAccept").setEnabled(false);
  o.prompts.answer(Answer::Ok);
  pick(o, "foreign");
  EXPECT_EQ(o.prompts.asked().size(), 2u);
  EXPECT_EQ(o.dlg->values().look, expected);
  EXPECT_FALSE(o.c<QPushButton>("cmdAccept").isEnabled());
  pick(o, "plain");
  EXPECT_EQ(o.c<QLineEdit>("txtDF").text(), "nn:ss");
  EXPECT_EQ(o.c<QLineEdit>("txtBackFile").text(), QDir(styleSetRoot()).filePath("Mine/Back.bmp"));
}

}  // namespace
}  // namespace kwemo
