// The command line, the autostart entry, stacking, the tray icon and Qt's translations.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include "FileBytes.h"
#include "desktop/AppIcons.h"
#include "desktop/AutostartEntry.h"
#include "desktop/CommandLine.h"
#include "desktop/QtTranslations.h"
#include "desktop/SetTopMost.h"

namespace kwemo {
namespace {

// The answers themselves are checked from the outside (e2e); here what only the parser sees.
TEST(CommandLine, QtsOptionsPassAndMisuseIsAUsageError) {
  using A = CommandLine::Action;
  const std::pair<QStringList, A> cases[] = {
      {{"-platform", "xcb", "--session", "abc", "-reverse"}, A::RunClock},
      {{"--autostart", "yes"}, A::Usage},
      {{"--autostart", "on", "off"}, A::Usage},
      {{"-display"}, A::Usage}};  // missing value
  for (const auto& [args, action] : cases) {
    const CommandLine cl(QStringList{QStringLiteral("kwemo")} + args);
    EXPECT_EQ(cl.action(), action) << args.join(u' ').toStdString();
    EXPECT_EQ(cl.errorText().isEmpty(), action != A::Usage) << args.join(u' ').toStdString();
  }
}

TEST(AutostartEntry, ExecWordQuotingAndTheDesktopsOwnSwitch) {
  const std::pair<QString, QString> cases[] = {{"/home/a$b/kwemo", R"("/home/a\\$b/kwemo")"},
                                               {R"(/x\y/kwemo)", R"("/x\\\\y/kwemo")"},
                                               {"/100%/kwemo", "/100%%/kwemo"}};
  for (const auto& [program, word] : cases) EXPECT_EQ(AutostartEntry::execWord(program), word);

  QTemporaryDir config;
  AutostartEntry entry(config.path());
  QString error;
  ASSERT_TRUE(entry.turnOn("/usr/bin/kwemo", &error)) << error.toStdString();
  EXPECT_TRUE(entry.isOn());
  // A desktop's start-up settings switch an entry off by marking it hidden.
  test::writeBytes(entry.path(), test::readAll(entry.path()) + "Hidden=true\n");
  EXPECT_FALSE(entry.isOn());
  EXPECT_TRUE(entry.turnOff(&error));
  EXPECT_FALSE(entry.turnOn("/a\nb", &error));
  EXPECT_FALSE(QFile::exists(entry.path()));
}

// Stacking itself is watched from the outside (e2e); here what the window manager cannot show.
TEST(SetTopMost, AWindowNotYetCreatedKeepsTheFlagAndAChooserStaysWithItsOwner) {
  QWidget frm, later, chooser;
  frm.show();
  SetTopMost(later, true);
  later.show();
  EXPECT_TRUE(later.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  SetTopMost(chooser, true, &frm);
  ASSERT_NE(frm.windowHandle(), nullptr);
  EXPECT_EQ(chooser.windowHandle()->transientParent(), frm.windowHandle());
  EXPECT_FALSE(chooser.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// The tray asks for its size times the screen's scale; it must get a picture drawn at that size,
// not a smaller one stretched (which looks blurred at scale 2).
TEST(AppIcons, TrayIconIsDrawnAtTheSizeTheScreenNeeds) {
  const QPixmap at44 = trayIcon().pixmap(QSize(22, 22), 2.0);
  EXPECT_EQ(at44.size(), QSize(44, 44));
  EXPECT_DOUBLE_EQ(at44.devicePixelRatio(), 2.0);
  // Where a picture of exactly that size exists, it is that picture, untouched.
  EXPECT_EQ(trayIcon().pixmap(QSize(16, 16), 2.0).toImage().convertToFormat(QImage::Format_ARGB32),
            QImage(QStringLiteral(":/kwemo/kwemo-32.png")).convertToFormat(QImage::Format_ARGB32));
}

TEST(QtTranslations, StandardButtonsFollowTheLocaleWhileTheObjectLives) {
  const auto texts = [] {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
    return box.button(QMessageBox::Yes)->text() + u'|' + box.button(QMessageBox::Cancel)->text();
  };
  {
    const QtTranslations japanese{QLocale(QLocale::Japanese, QLocale::Japan)};
    EXPECT_EQ(texts(), QStringLiteral("はい(&Y)|キャンセル"));
  }
  EXPECT_EQ(texts(), QStringLiteral("&Yes|Cancel"));
}

}  // namespace
}  // namespace kwemo
