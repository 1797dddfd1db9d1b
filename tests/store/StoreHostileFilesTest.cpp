// The store against what may stand where its file should be, and against saves that fail: it
// never blocks, never replaces anything but a regular file, and says which file failed and why.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <future>

#include "FileBytes.h"
#include "store/FileSettingsStore.h"

namespace kwemo {

namespace {

const QString kApp = QStringLiteral("KWEMO");

QByteArray native(const QString& path) { return QFile::encodeName(path); }

mode_t typeOf(const QString& path) {
  struct stat st {};
  return ::lstat(native(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

using test::readAll;
using test::writeBytes;

// Runs `work` on a thread. A store that blocks on a FIFO would hold the test for ever: after a
// generous wait the FIFO is opened from this side, which lets the stuck open return, and the
// case fails.
bool finishesWithoutBlocking(const std::function<void()>& work, const QString& fifo) {
  auto done = std::async(std::launch::async, work);
  if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return true;
  for (int i = 0;
       i < 100 && done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready; ++i) {
    const int rd = ::open(native(fifo).constData(), O_RDONLY | O_NONBLOCK);
    const int wr = ::open(native(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (wr >= 0) ::close(wr);
    if (rd >= 0) ::close(rd);
  }
  done.wait();
  return false;
}

}  // namespace

TEST(StoreHostileFiles, NothingButARegularFileIsReadOrReplaced) {
  struct Case {
    const char* name;
    // Makes what stands at `path` inside `dir`; returns the thing to check afterwards.
    std::function<QString(const QString& dir, const QString& path)> make;
    mode_t typeAfter;  // of the returned path once the store has tried to write
    bool writes;
    const char* reason;
  };
  const Case cases[] = {
      {"FIFO",
       [](const QString&, const QString& path) {
         EXPECT_EQ(::mkfifo(native(path).constData(), 0600), 0);
         return path;
       },
       S_IFIFO, false, "named pipe"},
      {"directory",
       [](const QString&, const QString& path) {
         EXPECT_TRUE(QDir().mkpath(path + "/inside"));
         return path;
       },
       S_IFDIR, false, "directory"},
      {"link to a device node",
       [](const QString& dir, const QString& path) {
         // The node is a copy of /dev/null's made for the test (a FIFO where nodes cannot be
         // made): a store that follows the link would replace it with a plain file.
         const QString node = dir + "/node";
         if (::mknod(native(node).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
           EXPECT_EQ(::mkfifo(native(node).constData(), 0600), 0);
         }
         EXPECT_TRUE(QFile::link(node, path));
         return node;
       },
       0, false, "which is"},
      {"link that leads nowhere",
       [](const QString& dir, const QString& path) {
         EXPECT_TRUE(QFile::link(dir + "/gone/KWEMO.ini", path));
         return path;
       },
       S_IFLNK, false, "leads nowhere"},
      {"link to a damaged regular file",
       [](const QString& dir, const QString& path) {
         QDir().mkpath(dir + "/dotfiles");
         writeBytes(dir + "/dotfiles/KWEMO.ini", "[Setting]\nA=1\ngarbage\n");
         EXPECT_TRUE(QFile::link(dir + "/dotfiles/KWEMO.ini", path));
         return path;
       },
       S_IFLNK, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString path = dir.path() + "/KWEMO.ini";
    const QString watched = c.make(dir.path(), path);
    const mode_t typeBefore = typeOf(watched);
    const mode_t expectedAfter = c.typeAfter ? c.typeAfter : typeBefore;

    bool wrote = false;
    QString failure, read;
    if (!finishesWithoutBlocking(
            [&] {
              FileSettingsStore store(dir.path());
              read = store.read(kApp, "Setting", "A");
              wrote = store.write(kApp, "Setting", "B", "2");
              failure = store.lastFailure();
            },
            watched)) {
      ADD_FAILURE() << "the store blocked";
      continue;
    }

    EXPECT_EQ(wrote, c.writes);
    EXPECT_EQ(typeOf(watched), expectedAfter) << "what stood there was replaced";
    if (!c.writes) {
      EXPECT_TRUE(failure.startsWith(path + ": ")) << failure.toStdString();
      EXPECT_TRUE(failure.contains(c.reason)) << failure.toStdString();
      continue;
    }
    // Written through the link into the file it leads to; the damaged data kept as a file.
    EXPECT_EQ(read, "1");
    EXPECT_EQ(FileSettingsStore(dir.path()).read(kApp, "Setting", "B"), "2");
    EXPECT_TRUE(readAll(dir.path() + "/dotfiles/KWEMO.ini").contains("B=2"));
    const QStringList copies =
        QDir(dir.path()).entryList({"KWEMO.ini.damaged-*"}, QDir::AllEntries | QDir::System);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(typeOf(dir.path() + "/" + copies[0]), mode_t(S_IFREG));
    EXPECT_EQ(readAll(dir.path() + "/" + copies[0]), "[Setting]\nA=1\ngarbage\n");
  }
}

// Each failure is real, also for root, who passes every permission check.
TEST(StoreHostileFiles, AFailedWriteNamesTheFileAndTheReasonAndKeepsTheOldFile) {
  struct Case {
    const char* name;
    std::function<void(const QString& dir)> arrange;
    QString folder;  // below the temporary folder
    QString value;
    const char* where;   // the failure starts with this, below the temporary folder
    const char* reason;  // and holds this
  };
  const QString big(int(FileSettingsStore::kMaxFileSize), u'm');
  const Case cases[] = {
      {"a file where the folder should be",
       [](const QString& dir) { writeBytes(dir + "/plain", "x"); }, "/plain/KWEMO", "v",
       "/plain/KWEMO", "Not a directory"},
      {"the file system refuses more bytes", [](const QString&) {}, "", QString(4096, u'v'),
       "/KWEMO.ini", "File too large"},
      {"more than the file may hold", [](const QString&) {}, "", big, "/KWEMO.ini",
       "larger than 1048576 bytes"},
      {"a directory in place of the file",
       [](const QString& dir) {
         QFile::remove(dir + "/KWEMO.ini");
         QDir().mkpath(dir + "/KWEMO.ini");
       },
       "", "v", "/KWEMO.ini", "is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString folder = dir.path() + c.folder;
    if (c.folder.isEmpty()) {
      ASSERT_TRUE(FileSettingsStore(folder).write(kApp, "Setting", "Old", "1"));
    }
    c.arrange(dir.path());
    const QByteArray before = readAll(folder + "/KWEMO.ini");

    FileSettingsStore store(folder);
    const bool fsizeLimited = QString(c.name).contains("refuses");
    rlimit saved{};
    if (fsizeLimited) {
      // A file-size limit makes write() fail with EFBIG, as a full disk fails with ENOSPC.
      ::signal(SIGXFSZ, SIG_IGN);
      ::getrlimit(RLIMIT_FSIZE, &saved);
      rlimit small = saved;
      small.rlim_cur = 1024;
      ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    const bool wrote = store.write(kApp, "Memo", "Memo", c.value);
    if (fsizeLimited) ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(wrote);
    const QString failure = store.lastFailure();
    EXPECT_TRUE(failure.startsWith(dir.path() + c.where + ": ")) << failure.toStdString();
    EXPECT_TRUE(failure.contains(c.reason)) << failure.toStdString();
    EXPECT_EQ(store.read(kApp, "Memo", "Memo"), "") << "the store still holds the refused value";
    EXPECT_EQ(readAll(folder + "/KWEMO.ini"), before);
    EXPECT_EQ(QDir(folder).entryList({"KWEMO.ini.*"}, QDir::Files | QDir::Hidden), QStringList())
        << "a temporary file was left behind";
  }
}

TEST(StoreHostileFiles, AReplacedFileKeepsItsModeAndStaysReadableToItsOwner) {
  const struct {
    mode_t before, after;
  } cases[] = {{0640, 0640}, {0604, 0604}, {0000, 0600}, {0200, 0600}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.before);
    QTemporaryDir dir;
    ASSERT_TRUE(FileSettingsStore(dir.path()).write(kApp, "Setting", "A", "1"));
    const QByteArray path = native(dir.path() + "/KWEMO.ini");
    ASSERT_EQ(::chmod(path.constData(), c.before), 0);
    ASSERT_TRUE(FileSettingsStore(dir.path()).write(kApp, "Setting", "A", "2"));
    struct stat st {};
    ASSERT_EQ(::stat(path.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, c.after);
  }
}

}  // namespace kwemo
