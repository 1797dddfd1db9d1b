#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "desktop/AutostartEntry.h"
#include "desktop/CommandLine.h"

namespace kwemo {

TEST(CommandLine, ActionsAndUsageErrors) {
  using A = CommandLine::Action;
  struct Case {
    QStringList args;
    A action;
    std::optional<bool> autostart;
  };
  const Case cases[] = {
      {{}, A::RunClock, {}},
      {{"-platform", "xcb", "--session", "abc", "-reverse"}, A::RunClock, {}},
      {{"--help"}, A::Help, {}},
      {{"--version"}, A::Version, {}},
      {{"--autostart"}, A::Autostart, {}},
      {{"--autostart", "on"}, A::Autostart, true},
      {{"--autostart", "yes"}, A::Usage, {}},
      {{"--autostart", "on", "off"}, A::Usage, {}},
      {{"on"}, A::Usage, {}},
      {{"-display"}, A::Usage, {}},  // missing value
  };
  for (const Case& c : cases) {
    const CommandLine cl(QStringList{QStringLiteral("kwemo")} + c.args);
    EXPECT_EQ(cl.action(), c.action) << c.args.join(u' ').toStdString();
    EXPECT_EQ(cl.autostartWanted(), c.autostart) << c.args.join(u' ').toStdString();
    if (c.action == A::Usage) {
      EXPECT_FALSE(cl.errorText().isEmpty());
    }
  }
  EXPECT_EQ(CommandLine::versionText(), QStringLiteral("KWEMO " KWEMO_TEST_VERSION "\n"));
}

TEST(AutostartEntry, ExecWordQuotesReservedCharacters) {
  const std::pair<QString, QString> cases[] = {
      {"/usr/bin/kwemo", "/usr/bin/kwemo"},
      {"/home/a$b/kwemo", R"("/home/a\\$b/kwemo")"},
      {R"(/x\y/kwemo)", R"("/x\\\\y/kwemo")"},
      {"/100%/kwemo", "/100%%/kwemo"},
  };
  for (const auto& [program, word] : cases) EXPECT_EQ(AutostartEntry::execWord(program), word);
}

TEST(AutostartEntry, OnOffRoundTripAndDesktopSwitch) {
  QTemporaryDir config;
  AutostartEntry entry(config.path());
  EXPECT_FALSE(entry.isOn());
  QString error;
  ASSERT_TRUE(entry.turnOn("/usr/bin/kwemo", &error)) << error.toStdString();
  EXPECT_TRUE(entry.isOn());
  QFile file(entry.path());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray text = file.readAll();
  file.close();
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
  EXPECT_TRUE(text.contains("\nExec=/usr/bin/kwemo\n"));
  // Only the entry itself is left behind: the write went through a temporary file.
  EXPECT_EQ(QDir(config.filePath("autostart")).entryList(QDir::Files | QDir::Hidden).size(), 1);

  // A desktop's start-up settings switch an entry off by marking it hidden.
  ASSERT_TRUE(file.open(QIODevice::Append));
  file.write("Hidden=true\n");
  file.close();
  EXPECT_FALSE(entry.isOn());

  EXPECT_TRUE(entry.turnOff(&error));
  EXPECT_FALSE(QFile::exists(entry.path()));
  EXPECT_TRUE(entry.turnOff(&error));  // nothing there: still off, no failure
  EXPECT_FALSE(entry.turnOn("/a\nb", &error));
  EXPECT_FALSE(QFile::exists(entry.path()));
}

}  // namespace kwemo
