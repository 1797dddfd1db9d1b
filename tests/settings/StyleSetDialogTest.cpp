#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "Controls.h"
#include "FakeHost.h"
#include "StyleSetFixtures.h"
#include "desktop/Prompts.h"
#include "settings/ColorButton.h"
#include "settings/StyleSets.h"

namespace kwemo {
namespace {

using test::control;

// A dialog over a fake clock, with scripted prompts and an empty style root.
class StyleSetDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(styleSetRoot()).removeRecursively();
    setPrompts(&prompts_);
  }
  void TearDown() override {
    delete dlg_.data();
    SettingOpen = false;
    setPrompts(nullptr);
    QDir(styleSetRoot()).removeRecursively();
  }
  frmSetting& open(const ClockSettings& record = FirstRunSettings()) {
    settings_ = record;
    clock_.show();
    dlg_ = new frmSetting(settings_, clock_);
    dlg_->show();
    return *dlg_;
  }
  static QStringList entries(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }
  // As the user picks: the list's popup opened and the entry clicked.
  static void pick(frmSetting& d, const QString& entry) {
    QComboBox* list = &control<QComboBox>(d, "cmbSkin");
    const int row = list->findText(entry);
    ASSERT_GE(row, 0) << entry.toStdString();
    list->showPopup();
    QAbstractItemView* view = list->view();
    ASSERT_TRUE(view->isVisible());
    const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(view->isVisible());
  }

  ScriptedPrompts prompts_;
  ClockSettings settings_;
  test::FakeClock clock_;
  QPointer<frmSetting> dlg_;
  QTemporaryDir files_;
};

TEST_F(StyleSetDialogTest, SavedLookComesBackThroughTheList) {
  const QString picture = files_.path() + "/pic.bmp";
  ASSERT_TRUE(QImage(20, 10, QImage::Format_RGB32).save(picture, "BMP"));
  frmSetting& d = open();
  EXPECT_EQ(entries(&control<QComboBox>(d, "cmbSkin")), QStringList({kResetEntry}));

  // A user's edits.
  d.EditColors[1] = {1, 2, 3};
  control<ColorButton>(d, "cmdHari", 1).setBackColor(RGB(1, 2, 3));
  control<QComboBox>(d, "cmbBold", 0).setCurrentIndex(4);
  control<QLineEdit>(d, "txtLong", 0).setText("62.5");
  control<QCheckBox>(d, "chkDC").setChecked(false);
  control<QLineEdit>(d, "txtDF").setText("h\"時\"nn");
  control<QComboBox>(d, "cmbFonts").setEditText("IPAPGothic");
  control<QCheckBox>(d, "chkFont", 0).setChecked(true);
  control<QComboBox>(d, "cmbDrawMode").setCurrentIndex(6);
  control<QCheckBox>(d, "chkMemori").setChecked(true);
  control<QLineEdit>(d, "txtBackFile").setText(picture);
  const StyleSetValues saved = d.values().look;

  prompts_.type("Mine");
  control<QPushButton>(d, "cmdSSave").click();
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_EQ(prompts_.asked()[0].text, "スタイルセットの名前を付けてください。");
  EXPECT_EQ(entries(&control<QComboBox>(d, "cmbSkin")), QStringList({kResetEntry, "Mine"}));
  EXPECT_EQ(control<QComboBox>(d, "cmbSkin").currentIndex(), -1);
  EXPECT_TRUE(QFileInfo(styleSetRoot() + "Mine/Back.bmp").isFile());

  // The reset entry: the initial look, bold and italic kept, no picture, no minute dots.
  control<QCheckBox>(d, "chkmline").setEnabled(true);
  control<QCheckBox>(d, "chkmline").setChecked(true);
  pick(d, kResetEntry);
  StyleSetValues initial;
  initial.chkFont = {1, 0};
  EXPECT_EQ(d.values().look, initial);
  EXPECT_EQ(control<ColorButton>(d, "cmdHari", 1).BackColor(), RGB(0, 0, 0));
  EXPECT_FALSE(control<QCheckBox>(d, "chkmline").isChecked());
  EXPECT_FALSE(d.imgPrev().has_value());

  // The set: every control back, lengths as integers, the picture from the set's folder.
  control<QCheckBox>(d, "chkmline").setChecked(true);
  control<QPushButton>(d, "cmdAccept").setEnabled(false);
  pick(d, "Mine");
  StyleSetValues expected = saved;
  expected.txtLong[0] = "62";
  expected.vscLong[0] = 38;
  EXPECT_EQ(d.values().look, expected);
  EXPECT_EQ(control<ColorButton>(d, "cmdHari", 1).BackColor(), RGB(1, 2, 3));
  EXPECT_TRUE(control<QCheckBox>(d, "chkmline").isChecked());
  EXPECT_FALSE(control<QLineEdit>(d, "txtFS").isEnabled());  // follows chkDC
  EXPECT_TRUE(control<QPushButton>(d, "cmdAccept").isEnabled());
  ASSERT_TRUE(d.imgPrev().has_value());
  EXPECT_EQ(d.imgPrev()->width, 20);
  EXPECT_EQ(prompts_.asked().size(), 1u);
}

TEST_F(StyleSetDialogTest, BadOrPictureLessSetsKeepWhatTheyShould) {
  QDir().mkpath(styleSetRoot() + "foreign");
  QFile foreign(styleSetRoot() + "foreign/Style.kws");
  ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
  foreign.write("Some Other File\r\n1,2,3\r\n");
  foreign.close();
  StyleSetValues look;
  look.txtDF = "nn:ss";
  look.cmbDrawMode = 0;
  ASSERT_EQ(saveStyleSet(styleSetRoot(), "plain", look, {}, nullptr), StyleSetSave::Saved);
  const QString picture = files_.path() + "/pic.bmp";
  ASSERT_TRUE(QImage(8, 8, QImage::Format_RGB32).save(picture, "BMP"));
  ClockSettings record = FirstRunSettings();
  record.BackBMP = picture;
  frmSetting& d = open(record);
  EXPECT_EQ(entries(&control<QComboBox>(d, "cmbSkin")),
            QStringList({kResetEntry, "foreign", "plain"}));

  const StyleSetValues before = d.values().look;
  prompts_.answer(Answer::Ok);
  pick(d, "foreign");
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_EQ(prompts_.asked()[0].text, "StyleSetファイルが見つからないか、不正です。");
  EXPECT_EQ(d.values().look, before);
  EXPECT_FALSE(control<QPushButton>(d, "cmdAccept").isEnabled());

  pick(d, "plain");
  EXPECT_EQ(control<QLineEdit>(d, "txtDF").text(), "nn:ss");
  EXPECT_EQ(control<QLineEdit>(d, "txtBackFile").text(),
            picture);  // no picture in the set: the path stays
  EXPECT_EQ(prompts_.asked().size(), 1u);
}

TEST_F(StyleSetDialogTest, PickingTheShownEntryAgainLoadsItAgain) {
  StyleSetValues look;
  look.cmbBold[0] = 3;
  ASSERT_EQ(saveStyleSet(styleSetRoot(), "Set A", look, {}, nullptr), StyleSetSave::Saved);
  frmSetting& d = open();
  for (const QString& entry : {QStringLiteral("Set A"), kResetEntry}) {
    SCOPED_TRACE(entry.toStdString());
    pick(d, entry);
    const int loaded = control<QComboBox>(d, "cmbBold", 0).currentIndex();
    control<QComboBox>(d, "cmbBold", 0).setCurrentIndex(loaded == 0 ? 4 : 0);
    pick(d, entry);
    EXPECT_EQ(control<QComboBox>(d, "cmbBold", 0).currentIndex(), loaded);
    EXPECT_EQ(control<QComboBox>(d, "cmbSkin").currentText(), entry);
  }
  EXPECT_EQ(control<QComboBox>(d, "cmbBold", 0).currentIndex(), 1);  // the reset's width 2
  EXPECT_TRUE(prompts_.asked().empty());
}

}  // namespace
}  // namespace kwemo
