#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <random>

#include "FileBytes.h"
#include "Waits.h"
#include "store/FileSettingsStore.h"
#include "store/MemorySettingsStore.h"

namespace kwemo {

namespace {

const QString kApp = QStringLiteral("KWEMO");

using test::readAll;
using test::writeBytes;

QStringList damagedCopies(const QString& folder) {
  return QDir(folder).entryList({QStringLiteral("KWEMO.ini.damaged-*")}, QDir::Files);
}

}  // namespace

TEST(SettingsStore, KeysAndSectionsMatchWithoutCaseInBothStores) {
  QTemporaryDir dir;
  MemorySettingsStore memory;
  FileSettingsStore onDisk(dir.path());
  SettingsStore* const stores[] = {&memory, &onDisk};
  for (SettingsStore* store : stores) {
    ASSERT_TRUE(store->write(kApp, "Color", "Moji_R", "12"));
    EXPECT_EQ(store->read(kApp, "color", "moji_R"), "12");
    ASSERT_TRUE(store->write(kApp, "COLOR", "MOJI_R", "13"));
    EXPECT_EQ(store->read(kApp, "Color", "Moji_R"), "13");
  }
  // On disk, one copy of the key, under one section.
  FileSettingsStore fresh(dir.path());
  EXPECT_EQ(fresh.read(kApp, "color", "MOJI_r"), "13");
  const QByteArray file = readAll(fresh.filePath(kApp));
  EXPECT_EQ(file.count("oji_R="), 1) << file.constData();
  EXPECT_EQ(file.toLower().count("[color]"), 1) << file.constData();
}

TEST(SettingsStore, EveryValueComesBackExactlyThroughTheFile) {
  QTemporaryDir dir;
  const QString values[] = {"",
                            "  both  \t",
                            "ends with \\",
                            "\"quoted\" a=b; c#d [e]",
                            "[Setting]",
                            "; not a comment",
                            "line one\r\nline two\r\n",
                            "lone\nLF and lone\rCR",
                            QString::fromUtf8("ＭＳ Ｐゴシック 😀\u3000\uFEFF\uFFFF"),
                            QString(QChar(0xD800)) + "x" + QChar(0xDC00) + QChar(0),
                            "\\s\\x41\\u0041"};
  const QString keys[] = {"a=b", "[k]", ";k", " spaced key ", "Key\\"};
  {
    FileSettingsStore store(dir.path());
    int i = 0;
    for (const auto& v : values)
      ASSERT_TRUE(store.write(kApp, "Memo", "v" + QString::number(i++), v));
    for (const auto& k : keys) ASSERT_TRUE(store.write(kApp, "Sec]tion [x]", k, k + "!"));
  }
  FileSettingsStore store(dir.path());
  EXPECT_TRUE(store.readCompletely(kApp));
  int i = 0;
  for (const auto& v : values) {
    const QString got = store.read(kApp, "Memo", "v" + QString::number(i++));
    EXPECT_EQ(got, v) << "value " << i - 1 << ": " << got.toStdString();
  }
  for (const auto& k : keys)
    EXPECT_EQ(store.read(kApp, "sec]tion [X]", k), k + "!") << k.toStdString();
}

TEST(SettingsStore, DamagedFilesAreReadAsFarAsPossibleAndKeptBeforeReplacing) {
  struct Case {
    const char* name;
    QByteArray bytes;
    bool keyBReadable;
  };
  QByteArray big =
      "[Setting]\nA=1\n" + QByteArray(int(FileSettingsStore::kMaxFileSize), 'z') + "\nB=2\n";
  QByteArray binary(4096, '\0');
  std::mt19937 rng(7);
  for (auto& b : binary) b = char(rng());
  const Case cases[] = {
      {"garbled lines", "[Setting]\nA=1\nnonsense line\n\x01\x02=bin\nB=2\n[broken\nC=3\n", true},
      {"bad UTF-8", "[Setting]\nA=1\nX=\xff\xfe\xc3\n B = 2 \n", true},
      {"binary then values", binary + "\n[Setting]\nA=1\nB=2\n", true},
      {"too large", big, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    FileSettingsStore store(dir.path());
    const QString path = store.filePath(kApp);
    writeBytes(path, c.bytes);
    EXPECT_EQ(store.read(kApp, "Setting", "A"), "1");
    EXPECT_EQ(store.read(kApp, "Setting", "B"), c.keyBReadable ? "2" : "");
    EXPECT_FALSE(store.readCompletely(kApp));
    EXPECT_TRUE(damagedCopies(dir.path()).isEmpty());

    ASSERT_TRUE(store.write(kApp, "Setting", "New", "n"));
    const QStringList copies = damagedCopies(dir.path());
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(readAll(dir.path() + "/" + copies[0]), c.bytes);
    FileSettingsStore fresh(dir.path());
    EXPECT_TRUE(fresh.readCompletely(kApp));
    EXPECT_EQ(fresh.read(kApp, "Setting", "A"), "1");
    EXPECT_EQ(fresh.read(kApp, "Setting", "New"), "n");
    // Once replaced, the file is sound and no further copies are made.
    ASSERT_TRUE(fresh.write(kApp, "Setting", "New", "m"));
    EXPECT_EQ(damagedCopies(dir.path()).size(), 1);
  }
}

TEST(SettingsStore, FailedWritesAndAFullDiskLeaveThePreviousValue) {
  QTemporaryDir dir;
  // A folder below a regular file can be created by nobody, root included.
  writeBytes(dir.path() + "/plain", "x");
  FileSettingsStore blocked(dir.path() + "/plain/KWEMO");
  EXPECT_FALSE(blocked.write(kApp, "Setting", "A", "1"));
  EXPECT_EQ(blocked.read(kApp, "Setting", "A"), "");
  {
    SettingsBatch batch(blocked);
    EXPECT_TRUE(blocked.write(kApp, "Setting", "A", "1"));
    EXPECT_FALSE(batch.commit());
  }
  EXPECT_EQ(blocked.read(kApp, "Setting", "A"), "");

  FileSettingsStore store(dir.path());
  ASSERT_TRUE(store.write(kApp, "Setting", "A", "1"));
  // A value that would make the file too large to read back whole is refused.
  EXPECT_FALSE(
      store.write(kApp, "Memo", "Memo", QString(int(FileSettingsStore::kMaxFileSize), u'm')));
  EXPECT_EQ(store.read(kApp, "Memo", "Memo"), "");
  EXPECT_FALSE(store.write(kApp, "../x", "", "1"));
  EXPECT_TRUE(store.filePath("../etc").isEmpty());

  // A file-size limit refuses the write as a full disk would, and root cannot bypass it. Nothing
  // is printed while it holds.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  const rlimit tiny{1, old.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
  FileSettingsStore full(dir.path());
  const bool wrote = full.write(kApp, "Setting", "A", "2");
  const QString after = full.read(kApp, "Setting", "A");
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(wrote);
  EXPECT_EQ(after, "1");
  EXPECT_EQ(FileSettingsStore(dir.path()).read(kApp, "Setting", "A"), "1");
}

TEST(SettingsStore, BatchDefersTheFileUntilItsEndAndAnotherWriterIsSeen) {
  QTemporaryDir dir;
  FileSettingsStore a(dir.path());
  FileSettingsStore b(dir.path());
  {
    SettingsBatch batch(a);
    ASSERT_TRUE(a.write(kApp, "Setting", "A", "1"));
    EXPECT_FALSE(QFile::exists(a.filePath(kApp)));
  }
  EXPECT_EQ(b.read(kApp, "Setting", "a"), "1");
  ASSERT_TRUE(a.write(kApp, "Setting", "A", "2"));
  EXPECT_EQ(b.read(kApp, "Setting", "A"), "2");
  ASSERT_TRUE(b.write(kApp, "Setting", "B", "3"));
  ASSERT_TRUE(a.write(kApp, "Setting", "C", "4"));  // keeps b's B
  EXPECT_EQ(FileSettingsStore(dir.path()).read(kApp, "Setting", "B"), "3");
}

// A child process rewrites the file in a loop and is killed with SIGKILL at random moments; the
// file must always hold one whole generation of values.
TEST(SettingsStore, KillDuringSaveLeavesTheOldOrTheNewFile) {
  QTemporaryDir dir;
  constexpr int kKeys = 50;
  auto writeGeneration = [&](FileSettingsStore& store, long long generation) {
    SettingsBatch batch(store);
    for (int k = 0; k < kKeys; ++k)
      store.write(kApp, QStringLiteral("Section%1").arg(k % 3), QStringLiteral("Key%1").arg(k),
                  QStringLiteral("%1 value of key %2 with a memo line\r\n and more")
                      .arg(generation)
                      .arg(k));
    return batch.commit();
  };
  {
    FileSettingsStore store(dir.path());
    ASSERT_TRUE(writeGeneration(store, 0));
  }
  std::mt19937 rng(12345);
  constexpr int kRounds = 40;
  long long lastSeen = 0;
  int changes = 0;
  for (int round = 1; round <= kRounds; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      close(ready[0]);
      FileSettingsStore store(dir.path());
      for (long long g = 1;; ++g) {
        if (!writeGeneration(store, round * 1'000'000LL + g)) _exit(3);
        if (g == 1 && write(ready[1], "x", 1) != 1) _exit(4);
      }
    }
    close(ready[1]);
    pollfd p{ready[0], POLLIN, 0};
    const bool started = poll(&p, 1, test::kWaitMs) == 1;
    close(ready[0]);
    usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(rng));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child stopped by itself, status " << status;
    ASSERT_TRUE(started) << "round " << round << ": the child never finished its first save";

    FileSettingsStore store(dir.path());
    ASSERT_TRUE(store.readCompletely(kApp)) << "round " << round;
    const QString first = store.read(kApp, "Section0", "Key0");
    const long long generation = first.section(u' ', 0, 0).toLongLong();
    for (int k = 0; k < kKeys; ++k) {
      ASSERT_EQ(
          store.read(kApp, QStringLiteral("section%1").arg(k % 3), QStringLiteral("key%1").arg(k)),
          QStringLiteral("%1 value of key %2 with a memo line\r\n and more").arg(generation).arg(k))
          << "round " << round;
    }
    ASSERT_GE(generation, lastSeen);
    changes += generation != lastSeen;
    lastSeen = generation;
  }
  // Each child saved at least once before it was killed.
  EXPECT_EQ(changes, kRounds);
  // Temporary files of killed writers are removed by the next run's first save once stale.
  for (const QFileInfo& info : QDir(dir.path()).entryInfoList(QDir::Files | QDir::Hidden)) {
    QFile f(info.filePath());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime);
  }
  FileSettingsStore next(dir.path());
  ASSERT_TRUE(next.write(kApp, "Setting", "Runed", "True"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"KWEMO.ini"});
}

}  // namespace kwemo
