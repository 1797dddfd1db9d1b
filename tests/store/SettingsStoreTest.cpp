#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "FileBytes.h"
#include "Waits.h"
#include "store/FileSettingsStore.h"

namespace kwemo {
namespace {

const QString kApp = QStringLiteral("KWEMO");
using namespace test;

// The type and permission bits of what stands at path (not where a link leads); 0 for nothing.
mode_t modeOf(const QString& path) {
  struct stat st {};
  return ::lstat(native(path).constData(), &st) == 0 ? st.st_mode : 0;
}

// The bytes of the one copy of a damaged file kept beside it as a regular file; none otherwise.
QByteArray damagedCopy(const QString& folder) {
  const QStringList copies =
      QDir(folder).entryList({"KWEMO.ini.damaged-*"}, QDir::AllEntries | QDir::System);
  const QString path = copies.size() == 1 ? folder + "/" + copies[0] : QString();
  return (modeOf(path) & S_IFMT) == S_IFREG ? readAll(path) : QByteArray();
}

TEST(SettingsStore, KeysAndSectionsMatchWithoutCaseAndEveryValueComesBackExactly) {
  QTemporaryDir dir;
  FileSettingsStore onDisk(dir.path());
  ASSERT_TRUE(onDisk.write(kApp, "Color", "Moji_R", "12"));
  ASSERT_TRUE(onDisk.write(kApp, "COLOR", "MOJI_R", "13"));
  EXPECT_EQ(QString(readAll(onDisk.filePath(kApp))).section('\n', 2), "[Color]\nMoji_R=13\n");
  // Another writer's values are seen and kept.
  FileSettingsStore other(dir.path());
  EXPECT_EQ(other.read(kApp, "COLOR", "Moji_r"), "13");
  ASSERT_TRUE(other.write(kApp, "Setting", "B", "3") && onDisk.write(kApp, "Setting", "C", "4"));
  EXPECT_EQ(FileSettingsStore(dir.path()).read(kApp, "Setting", "B"), "3");
  EXPECT_TRUE(!onDisk.write(kApp, "../x", "", "1") && onDisk.filePath("../etc").isEmpty());

  // clang-format off
  const QString values[] = {"", "  both  \t", "ends with \\", "\"quoted\" a=b; c#d [e]",
      "[Setting]", "line one\r\nline two\r\n", "lone\nLF and lone\rCR", "\\s\\x41\\u0041",
      QString::fromUtf8("ＭＳ Ｐゴシック 😀\u3000\uFEFF\uFFFF"),
      QString(QChar(0xD800)) + "x" + QChar(0xDC00) + QChar(0)};
  // clang-format on
  const QString keys[] = {"a=b", "[k]", ";k", " spaced key ", "Key\\"};
  // Each key twice, in two sections.
  for (int i = 0; i < 10; ++i)
    ASSERT_TRUE(onDisk.write(kApp, QString("Sec]tion [x]%1").arg(i / 5), keys[i % 5], values[i]));
  FileSettingsStore store(dir.path());
  EXPECT_TRUE(store.readCompletely(kApp));
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(store.read(kApp, QString("sec]tion [X]%1").arg(i / 5), keys[i % 5]), values[i]);
}

TEST(SettingsStore, DamagedFilesAreReadAsFarAsPossibleAndKeptBeforeReplacing) {
  QByteArray binary(4096, '\0');
  std::mt19937 rng(7);
  for (auto& b : binary) b = char(rng());
  const std::pair<QByteArray, const char*> cases[] = {
      // bytes, keys A and B read
      {"[Setting]\nA=1\nnonsense line\n\x01\x02=bin\nB=2\n[broken\nC=3\n", "12"},
      {"[Setting]\nA=1\nX=\xff\xfe\xc3\n B = 2 \n", "12"},
      {binary + "\n[Setting]\nA=1\nB=2\n", "12"},
      {"[Setting]\nA=1\n" + QByteArray(int(FileSettingsStore::kMaxFileSize), 'z') + "\nB=2\n",
       "1"}};
  for (const auto& [bytes, read] : cases) {
    SCOPED_TRACE(bytes.left(20).toStdString());
    QTemporaryDir dir;
    FileSettingsStore store(dir.path());
    writeBytes(store.filePath(kApp), bytes);
    EXPECT_EQ(store.read(kApp, "Setting", "A") + store.read(kApp, "Setting", "B"), read);
    EXPECT_TRUE(!store.readCompletely(kApp) && damagedCopy(dir.path()).isEmpty());
    ASSERT_TRUE(store.write(kApp, "Setting", "New", "n"));
    // Once replaced, the file is sound and no further copies are made.
    FileSettingsStore fresh(dir.path());
    EXPECT_TRUE(fresh.readCompletely(kApp) && fresh.read(kApp, "Setting", "A") == "1");
    ASSERT_TRUE(fresh.write(kApp, "Setting", "New", "m"));
    EXPECT_EQ(damagedCopy(dir.path()), bytes);
  }
}

// A child process rewrites the file in a loop and is killed with SIGKILL at random moments; the
// file must always hold one whole generation of values.
TEST(SettingsStore, KillDuringSaveLeavesTheOldOrTheNewFile) {
  QTemporaryDir dir;
  const QString value = QStringLiteral("%1 value of key %2 with a memo line\r\n and more");
  const auto writeGeneration = [&](FileSettingsStore& store, long long generation) {
    SettingsBatch batch(store);
    for (int k = 0; k < 50; ++k)
      store.write(kApp, QString("Section%1").arg(k % 3), QString("Key%1").arg(k),
                  value.arg(generation).arg(k));
    return batch.commit();
  };
  FileSettingsStore first(dir.path());
  ASSERT_TRUE(writeGeneration(first, 0));
  const auto generationOnDisk = [&] {
    return FileSettingsStore(dir.path()).read(kApp, "Section0", "Key0").section(u' ', 0, 0);
  };
  std::mt19937 rng(12345);
  long long lastSeen = 0;
  for (int round = 1; round <= 40; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
      for (long long g = 1;; ++g)
        if (!writeGeneration(first, round * 1'000'000LL + g)) _exit(3);
    // Once the child has saved, it is killed at a random moment of a later save.
    const bool saved = test::waitUntil([&] { return generationOnDisk().toLongLong() > lastSeen; });
    usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(rng));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(saved && WIFSIGNALED(status)) << "round " << round << " status " << status;
    // Byte for byte the file one whole save of that generation writes.
    lastSeen = generationOnDisk().toLongLong();
    QTemporaryDir whole;
    FileSettingsStore wholeStore(whole.path());
    ASSERT_TRUE(writeGeneration(wholeStore, lastSeen));
    ASSERT_EQ(readAll(dir.filePath("KWEMO.ini")), readAll(whole.filePath("KWEMO.ini"))) << round;
  }
}

// The store never blocks, never replaces anything but a regular file, and says which file failed
// and why.
TEST(StoreHostileFiles, NothingButARegularFileIsReadOrReplaced) {
  enum Kind { Fifo, Directory, Device, Nothing, Damaged };
  // What stands there or where a link there leads, and the reason given; "" when the store
  // writes through it.
  // clang-format off
  const std::tuple<Kind, bool, const char*> cases[] = {
      {Fifo, false, "named pipe"}, {Directory, false, "directory"}, {Device, true, "which is"},
      {Nothing, true, "leads nowhere"}, {Damaged, true, ""}};
  // clang-format on
  for (const auto& [kind, linked, reason] : cases) {
    SCOPED_TRACE(kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("KWEMO.ini");
    const QString target = linked ? dir.filePath("elsewhere/KWEMO.ini") : path;  // must stay
    bool made = QDir().mkpath(dir.filePath("elsewhere")) && (!linked || QFile::link(target, path));
    if (kind == Fifo) made = made && ::mkfifo(native(target).constData(), 0600) == 0;
    if (kind == Directory) made = made && QDir().mkpath(target + "/inside");
    // A copy of /dev/null's node made for the test (a FIFO where nodes cannot be made): a store
    // that follows the link would replace it with a plain file.
    if (kind == Device)
      made = made && (::mknod(native(target).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0 ||
                      ::mkfifo(native(target).constData(), 0600) == 0);
    if (kind == Damaged) writeBytes(target, "[Setting]\nA=1\ngarbage\n");
    ASSERT_TRUE(made);
    const mode_t typeBefore = modeOf(target) & S_IFMT;

    bool wrote = false;
    QString failure, read;
    ASSERT_TRUE(test::finishesWithoutBlocking(
        [&] {
          FileSettingsStore store(dir.path());
          read = store.read(kApp, "Setting", "A");
          wrote = store.write(kApp, "Setting", "B", "2");
          failure = store.lastFailure();
        },
        target));
    EXPECT_EQ(modeOf(target) & S_IFMT, typeBefore) << "what stood there was replaced";
    // Or written through the link into the file it leads to, the damaged data kept as a file.
    EXPECT_TRUE(*reason ? !wrote && failure.startsWith(path + ": ") && failure.contains(reason)
                        : wrote && read == "1" && readAll(target).contains("B=2"))
        << failure.toStdString();
    EXPECT_EQ(damagedCopy(dir.path()), QByteArray(*reason ? "" : "[Setting]\nA=1\ngarbage\n"));
  }
}

// Each failure is real, also for root, who passes every permission check.
TEST(StoreHostileFiles, AFailedWriteNamesTheFileAndTheReasonAndKeepsTheOldFile) {
  enum Arrange { SizeLimit, TooLarge, BatchBelowAFile };
  // clang-format off
  const std::tuple<Arrange, const char*, const char*> cases[] = {  // the file named, the reason
      {SizeLimit, "/KWEMO.ini", "File too large"}, {TooLarge, "/KWEMO.ini", "larger than 1048576"},
      {BatchBelowAFile, "/plain/KWEMO", "Not a directory"}};
  // clang-format on
  for (const auto& [arrange, where, reason] : cases) {
    SCOPED_TRACE(reason);
    QTemporaryDir dir;
    writeBytes(dir.filePath("plain"), "x");
    const QString folder = arrange == BatchBelowAFile ? dir.filePath("plain/KWEMO") : dir.path();
    ASSERT_TRUE(arrange == BatchBelowAFile ||
                FileSettingsStore(folder).write(kApp, "Setting", "Old", "1"));
    const QByteArray before = readAll(folder + "/KWEMO.ini");
    FileSettingsStore store(folder);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    if (arrange == SizeLimit) {
      // A file-size limit makes write() fail with EFBIG, as a full disk fails with ENOSPC.
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit small{1024, saved.rlim_max};
      ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    SettingsBatch batch(store);
    const int size = arrange == TooLarge ? int(FileSettingsStore::kMaxFileSize) : 4096;
    const bool wrote = store.write(kApp, "Memo", "Memo", QString(size, u'm')) && batch.commit();
    ::setrlimit(RLIMIT_FSIZE, &saved);

    const QString failure = store.lastFailure();
    EXPECT_TRUE(failure.startsWith(dir.path() + where + ": ") && failure.contains(reason))
        << failure.toStdString();
    // Neither the store nor the file holds the refused value, and no temporary file is left.
    EXPECT_TRUE(!wrote && store.read(kApp, "Memo", "Memo").isEmpty());
    EXPECT_EQ(readAll(folder + "/KWEMO.ini"), before);
    EXPECT_EQ(QDir(folder).entryList({"KWEMO.ini.*"}, QDir::Files | QDir::Hidden), QStringList());
  }
}

TEST(StoreHostileFiles, AReplacedFileKeepsItsModeAndStaysReadableToItsOwner) {
  const std::pair<mode_t, mode_t> cases[] = {{0640, 0640}, {0604, 0604}, {0, 0600}, {0200, 0600}};
  for (const auto& [before, after] : cases) {
    QTemporaryDir dir;
    const QString path = dir.filePath("KWEMO.ini");
    ASSERT_TRUE(FileSettingsStore(dir.path()).write(kApp, "Setting", "A", "1"));
    ASSERT_EQ(::chmod(native(path).constData(), before), 0);
    ASSERT_TRUE(FileSettingsStore(dir.path()).write(kApp, "Setting", "A", "2"));
    EXPECT_EQ(modeOf(path) & 07777, after) << before;
  }
}

}  // namespace
}  // namespace kwemo
