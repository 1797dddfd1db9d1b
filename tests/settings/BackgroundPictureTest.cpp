#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "Controls.h"
#include "FakeHost.h"
#include "desktop/Prompts.h"

namespace kwemo {
namespace {

using test::control;

using test::FakeClock;

class BackgroundPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    bmp = dir.filePath("back.bmp");
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(QColor(10, 120, 230));
    ASSERT_TRUE(image.save(bmp, "BMP"));
    setPrompts(&prompts);
    clock.show();
    dlg = new frmSetting(settings, clock);
  }
  void TearDown() override {
    delete dlg.data();
    SettingOpen = false;
    setPrompts(nullptr);
  }
  bool pictureShown() const {
    return !control<QLabel>(*dlg, "lblPic").isHidden() &&
           !control<QPushButton>(*dlg, "cmdSetSize").isHidden();
  }
  bool pictureHidden() const {
    return control<QLabel>(*dlg, "lblPic").isHidden() &&
           control<QPushButton>(*dlg, "cmdSetSize").isHidden();
  }

  QTemporaryDir dir;
  QString bmp;
  ScriptedPrompts prompts;
  ClockSettings settings = FirstRunSettings();
  FakeClock clock;
  QPointer<frmSetting> dlg;
};

TEST_F(BackgroundPicture, BrowsingShowsTheSizeTheButtonSizesTheFormCancellingEmpties) {
  prompts.choose(bmp);
  control<QPushButton>(*dlg, "cmdBrouse").click();
  EXPECT_EQ(control<QLineEdit>(*dlg, "txtBackFile").text(), bmp);
  EXPECT_EQ(control<QLabel>(*dlg, "lblPic").text(), "画像 - W:200 , H:150");
  EXPECT_TRUE(pictureShown());
  ASSERT_TRUE(dlg->imgPrev().has_value());
  EXPECT_EQ(dlg->imgPrev()->width, 200);

  control<QPushButton>(*dlg, "cmdAccept").setEnabled(false);
  control<QPushButton>(*dlg, "cmdSetSize").click();
  EXPECT_EQ(control<QLineEdit>(*dlg, "txtForm", 0).text(), "200");
  EXPECT_EQ(control<QLineEdit>(*dlg, "txtForm", 1).text(), "150");
  EXPECT_TRUE(control<QPushButton>(*dlg, "cmdAccept").isEnabled());
  control<QPushButton>(*dlg, "cmdAccept").click();
  EXPECT_EQ(clock.size(), QSize(200, 150));
  EXPECT_EQ(settings.BackBMP, bmp);

  prompts.choose(QString());  // the user cancels
  control<QPushButton>(*dlg, "cmdBrouse").click();
  EXPECT_EQ(control<QLineEdit>(*dlg, "txtBackFile").text(), "");
  EXPECT_TRUE(pictureHidden());
  EXPECT_FALSE(dlg->imgPrev().has_value());
  control<QPushButton>(*dlg, "cmdAccept").click();
  EXPECT_EQ(settings.BackBMP, "");
}

TEST_F(BackgroundPicture, TypingFollowsWhetherThePathNamesAPicture) {
  control<QLineEdit>(*dlg, "txtBackFile").setText(bmp);
  EXPECT_TRUE(pictureShown());
  QTest::keyClicks(&control<QLineEdit>(*dlg, "txtBackFile"), "x");  // no longer a file
  EXPECT_TRUE(pictureHidden());
  EXPECT_FALSE(dlg->imgPrev().has_value());
  EXPECT_EQ(control<QLineEdit>(*dlg, "txtBackFile").text(), bmp + "x");  // the text stays
  QTest::keyClick(&control<QLineEdit>(*dlg, "txtBackFile"), Qt::Key_Backspace);
  EXPECT_TRUE(pictureShown());
  const QString notPicture = dir.filePath("notes.bmp");
  QFile f(notPicture);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("just text, not a bitmap");
  f.close();
  control<QLineEdit>(*dlg, "txtBackFile").setText(notPicture);
  EXPECT_TRUE(pictureHidden());
}

TEST_F(BackgroundPicture, OpensWithTheAppliedPictureAndApplyDisabled) {
  delete dlg.data();
  settings.BackBMP = bmp;
  dlg = new frmSetting(settings, clock);
  EXPECT_TRUE(pictureShown());
  EXPECT_EQ(control<QLabel>(*dlg, "lblPic").text(), "画像 - W:200 , H:150");
  EXPECT_FALSE(control<QPushButton>(*dlg, "cmdAccept").isEnabled());

  delete dlg.data();
  settings.BackBMP = dir.filePath("gone.bmp");
  dlg = new frmSetting(settings, clock);
  EXPECT_EQ(control<QLineEdit>(*dlg, "txtBackFile").text(), settings.BackBMP);
  EXPECT_TRUE(pictureHidden());
}

}  // namespace
}  // namespace kwemo
