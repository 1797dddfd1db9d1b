// The command line, the autostart entry, stacking, the tray icon and Qt's translations; the
// single-instance lock and socket against damaged lock files, other users, stray bytes and a flood
// of idle connections.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <cstring>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileBytes.h"
#include "Waits.h"
#include "desktop/AppIcons.h"
#include "desktop/AutostartEntry.h"
#include "desktop/CommandLine.h"
#include "desktop/QtTranslations.h"
#include "desktop/SetTopMost.h"
#include "desktop/SingleInstance.h"
#include "store/FileSettingsStore.h"

namespace kwemo {
namespace {

using test::native;
using Role = SingleInstance::Role;

int connectTo(const QString& path, bool nonBlocking) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, native(path).constData(), sizeof address.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | (nonBlocking ? SOCK_NONBLOCK : 0), 0);
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 ||
                  errno == EINPROGRESS;
  if (!ok) ::close(fd);
  return ok ? fd : -1;
}

bool sendRaw(const QString& path, const QByteArray& bytes) {
  const int fd = connectTo(path, false);
  const bool sent =
      fd >= 0 && ::send(fd, bytes.constData(), size_t(bytes.size()), 0) == bytes.size();
  ::close(fd);
  return sent;
}

TEST(SingleInstanceHostile, ADamagedLockNeverKeepsTheClockFromStarting) {
  const QByteArray host = QSysInfo::machineHostName().toUtf8();
  enum Other { None, Directory, Fifo, DanglingLink };
  // clang-format off
  const std::pair<Other, QByteArray> cases[] = {
      {None, ""}, {None, QByteArrayLiteral("\x89\x00\xff garbage\n\n\x01")},
      {None, "4242\nanother-host.example\nkwemo\n"},
      {None, "1\n" + host + "\nkwemo\n"},  // alive on this host, but no clock
      {Directory, {}}, {Fifo, {}}, {DanglingLink, {}}};
  // clang-format on
  for (const auto& [other, bytes] : cases) {
    SCOPED_TRACE(testing::Message() << other << " " << bytes.toStdString());
    QTemporaryDir dir;
    const QString lock = dir.filePath("kwemo.lock");
    bool made = true;
    if (other == None) test::writeBytes(lock, bytes);
    if (other == Directory) made = QDir().mkpath(lock + "/inside");
    if (other == Fifo) made = ::mkfifo(native(lock).constData(), 0600) == 0;
    if (other == DanglingLink) made = QFile::link(dir.filePath("nowhere"), lock);
    ASSERT_TRUE(made);

    SingleInstance first(dir.path()), second(dir.path());
    Role role{};  // one clock only, without blocking on a FIFO
    EXPECT_TRUE(test::finishesWithoutBlocking([&] { role = first.claim(); }, lock) &&
                role == Role::First && second.claim() == Role::Second);
    // A regular lock file in the way's place: no link was followed.
    const QFileInfo info(lock);
    EXPECT_TRUE(info.isFile() && !info.isSymLink() && !QFile::exists(dir.filePath("nowhere")));
  }
}

// Only the user's own launches are heard, even where the socket could be reached by others (a
// shared fallback folder, say); stray bytes are ignored, and a later request is still heard.
TEST(SingleInstanceHostile, RequestsOfAnotherUserAndStrayBytesAreIgnored) {
  QTemporaryDir dir, empty;
  EXPECT_FALSE(SingleInstance(empty.path()).askFirstToShow(200));  // nobody answers
  ASSERT_EQ(SingleInstance(dir.path()).claim(), Role::First);      // gone at once
  SingleInstance first(dir.path());
  ASSERT_EQ(first.claim(), Role::First);
  QSignalSpy shown(&first, &SingleInstance::showRequested);
  ASSERT_TRUE(sendRaw(first.socketPath(), "hello\n" + QByteArray(200, 'x') + "\nshow\n"));
  ASSERT_TRUE(sendRaw(first.socketPath(), ""));
  if (::geteuid() == 0) {
    ::chmod(native(dir.path()).constData(), 0777);
    ::chmod(native(first.socketPath()).constData(), 0666);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(2);
      std::_Exit(sendRaw(first.socketPath(), "show\n") ? 0 : 3);
    }
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) QTest::qWait(10);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  }
  QTest::qWait(300);
  EXPECT_EQ(shown.count(), 0);
  SingleInstance mine(dir.path());
  ASSERT_TRUE(mine.claim() == Role::Second && mine.askFirstToShow());
  EXPECT_TRUE(test::waitUntil([&] { return shown.count() == 1; }));
}

// Run in a process of its own whose descriptor limit is lowered: a thousand idle connections
// from another process, then a real request and a save. It exits with 0 when all went well.
[[noreturn]] void floodThenRequestAndSave(const QString& folder) {
  SingleInstance first(folder + "/run");
  if (first.claim() != Role::First) std::_Exit(11);
  QSignalSpy shown(&first, &SingleInstance::showRequested);
  const pid_t flooder = ::fork();
  if (flooder == 0) {
    // Stops itself once its connections are open, kept open and silent.
    int open = 0;
    for (const QDeadlineTimer patience(30000); open < 1000 && !patience.hasExpired();) {
      const bool made = connectTo(first.socketPath(), true) >= 0;
      open += made;
      if (!made) ::usleep(200);
    }
    if (open == 1000) ::raise(SIGSTOP);
    std::_Exit(1);
  }
  const rlimit limit{64, 64};
  int status = 0;
  const bool flooded =
      ::setrlimit(RLIMIT_NOFILE, &limit) == 0 &&
      test::waitUntil([&] { return ::waitpid(flooder, &status, WNOHANG | WUNTRACED) == flooder; },
                      120000) &&
      WIFSTOPPED(status);
  // The idle ones are dropped; a real request is still heard, and the settings are saved.
  SingleInstance second(folder + "/run");
  const bool ok = flooded && first.openConnections() <= SingleInstance::kMaxConnections &&
                  test::waitUntil([&] { return first.openConnections() == 0; }) &&
                  second.claim() == Role::Second && second.askFirstToShow(5000) &&
                  test::waitUntil([&] { return shown.count() == 1; }) &&
                  FileSettingsStore(folder + "/config").write("KWEMO", "Setting", "Runed", "True");
  ::kill(flooder, SIGKILL);
  ::waitpid(flooder, nullptr, 0);
  std::_Exit(ok ? 0 : 13);
}

TEST(SingleInstanceHostileDeathTest, AFloodOfIdleConnectionsLeavesTheClockAnsweringAndSaving) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QTemporaryDir dir;
  EXPECT_EXIT(floodThenRequestAndSave(dir.path()), testing::ExitedWithCode(0), "");
}

// The answers themselves are checked from the outside (e2e); here what only the parser sees.
TEST(CommandLine, QtsOptionsPassAndMisuseIsAUsageError) {
  using A = CommandLine::Action;
  const std::pair<QStringList, A> cases[] = {
      {{"-platform", "xcb", "--session", "abc", "-reverse"}, A::RunClock},
      {{"--autostart", "yes"}, A::Usage},
      {{"--autostart", "on", "off"}, A::Usage},
      {{"-display"}, A::Usage}};  // missing value
  for (const auto& [args, action] : cases)
    EXPECT_EQ(CommandLine(QStringList{"kwemo"} + args).action(), action);
}

TEST(AutostartEntry, ExecWordQuotingAndTheDesktopsOwnSwitch) {
  // clang-format off
  const std::pair<QString, QString> cases[] = {{"/home/a$b/kwemo", R"("/home/a\\$b/kwemo")"},
      {R"(/x\y/kwemo)", R"("/x\\\\y/kwemo")"}, {"/100%/kwemo", "/100%%/kwemo"}};
  // clang-format on
  for (const auto& [program, word] : cases) EXPECT_EQ(AutostartEntry::execWord(program), word);

  QTemporaryDir config;
  AutostartEntry entry(config.path());
  QString error;
  ASSERT_TRUE(entry.turnOn("/usr/bin/kwemo", &error) && entry.isOn()) << error.toStdString();
  // A desktop's start-up settings switch an entry off by marking it hidden.
  test::writeBytes(entry.path(), test::readAll(entry.path()) + "Hidden=true\n");
  EXPECT_TRUE(!entry.isOn() && entry.turnOff(&error) && !entry.turnOn("/a\nb", &error));
  EXPECT_FALSE(QFile::exists(entry.path()));
}

// Stacking itself, also of a window not yet created, is watched from the outside (e2e); here
// what the window manager cannot show.
TEST(SetTopMost, AChooserStaysWithItsOwner) {
  QWidget frm, chooser;
  frm.show();
  SetTopMost(chooser, true, &frm);
  EXPECT_EQ(chooser.windowHandle()->transientParent(), frm.windowHandle());
  EXPECT_FALSE(chooser.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// The tray asks for its size times the screen's scale; it must get a picture drawn at that size,
// not a smaller one stretched (which looks blurred at scale 2).
TEST(AppIcons, TrayIconIsDrawnAtTheSizeTheScreenNeeds) {
  const QPixmap at44 = trayIcon().pixmap(QSize(22, 22), 2.0);
  EXPECT_TRUE(at44.size() == QSize(44, 44) && at44.devicePixelRatio() == 2.0);
  // Where a picture of exactly that size exists, it is that picture, untouched.
  EXPECT_EQ(trayIcon().pixmap(QSize(16, 16), 2.0).toImage().convertToFormat(QImage::Format_ARGB32),
            QImage(QStringLiteral(":/kwemo/kwemo-32.png")).convertToFormat(QImage::Format_ARGB32));
}

TEST(QtTranslations, StandardButtonsFollowTheLocaleWhileTheObjectLives) {
  const auto texts = [] {
    QMessageBox box(QMessageBox::NoIcon, {}, {}, QMessageBox::Yes | QMessageBox::Cancel);
    return box.button(QMessageBox::Yes)->text() + u'|' + box.button(QMessageBox::Cancel)->text();
  };
  std::optional<QtTranslations> japanese(std::in_place, QLocale(QLocale::Japanese, QLocale::Japan));
  EXPECT_EQ(texts(), QStringLiteral("はい(&Y)|キャンセル"));
  japanese.reset();
  EXPECT_EQ(texts(), QStringLiteral("&Yes|Cancel"));
}

}  // namespace
}  // namespace kwemo
