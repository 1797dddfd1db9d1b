// Style sets unpacked from somewhere else: links in a set never carry a save outside the style
// folder, a FIFO never blocks a load, and a save that fails says which file and why.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StyleSetFixtures.h"
#include "desktop/Prompts.h"
#include "settings/StyleSetFile.h"
#include "settings/StyleSets.h"

namespace kwemo {
namespace {

QByteArray native(const QString& path) { return QFile::encodeName(path); }

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool isPlainFile(const QString& path) {
  struct stat st {};
  return ::lstat(native(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

class StyleSetHostile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    root_ = home_.path() + "/Style/";
    outside_ = home_.path() + "/outside/";
    ASSERT_TRUE(QDir().mkpath(root_));
    ASSERT_TRUE(QDir().mkpath(outside_));
    writeFile(outside_ + "victim.txt", "not yours");
    writeFile(home_.path() + "/picture.bmp", "BM picture bytes");
    setPrompts(&prompts_);
  }
  void TearDown() override { setPrompts(nullptr); }

  QTemporaryDir home_;
  QString root_, outside_;
  ScriptedPrompts prompts_;
};

TEST_F(StyleSetHostile, SavesReplaceLinksAndNeverLeaveTheStyleFolder) {
  struct Case {
    const char* name;
    std::function<void(const QString& set, const QString& outside)> make;
    StyleSetSave result;
    const char* failing;  // the entry named in the message, when the save fails
  };
  const Case cases[] = {
      {"Style.kws links outside",
       [](const QString& set, const QString& outside) {
         QDir().mkpath(set);
         QFile::link(outside + "victim.txt", set + "Style.kws");
       },
       StyleSetSave::Saved, nullptr},
      {"Back.bmp links outside",
       [](const QString& set, const QString& outside) {
         QDir().mkpath(set);
         QFile::link(outside + "victim.txt", set + "Back.bmp");
       },
       StyleSetSave::Saved, nullptr},
      {"the set folder links outside",
       [](const QString& set, const QString& outside) { QFile::link(outside, set.chopped(1)); },
       StyleSetSave::Failed, "Set"},
      {"a FIFO named Style.kws",
       [](const QString& set, const QString&) {
         QDir().mkpath(set);
         ::mkfifo(native(set + "Style.kws").constData(), 0600);
       },
       StyleSetSave::Failed, "Set/Style.kws"},
      {"a directory named Style.kws",
       [](const QString& set, const QString&) { QDir().mkpath(set + "Style.kws/x"); },
       StyleSetSave::Failed, "Set/Style.kws"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString set = root_ + "Set/";
    QDir(root_).removeRecursively();
    QDir().mkpath(root_);
    c.make(set, outside_);
    prompts_.clear();

    const StyleSetSave saved =
        saveStyleSet(root_, "Set", customValues(), home_.path() + "/picture.bmp", nullptr);
    EXPECT_EQ(saved, c.result);
    EXPECT_EQ(readFile(outside_ + "victim.txt"), "not yours");
    EXPECT_EQ(QDir(outside_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"victim.txt"});
    if (c.result == StyleSetSave::Saved) {
      EXPECT_TRUE(prompts_.asked().empty());
      EXPECT_TRUE(isPlainFile(set + "Style.kws"));
      EXPECT_TRUE(isPlainFile(set + "Back.bmp"));
      EXPECT_EQ(readFile(set + "Back.bmp"), "BM picture bytes");
      EXPECT_EQ(readFile(set + "Style.kws"), writeStyleSetFile(customValues()));
    } else {
      ASSERT_EQ(prompts_.asked().size(), 1u);
      EXPECT_TRUE(prompts_.asked()[0].text.contains(root_ + c.failing))
          << prompts_.asked()[0].text.toStdString();
    }
  }
}

TEST_F(StyleSetHostile, AFifoInASetNeitherBlocksTheLoadNorIsTakenForItsFile) {
  const QString set = root_ + "Piped/";
  QDir().mkpath(set);
  ASSERT_EQ(::mkfifo(native(set + "Style.kws").constData(), 0600), 0);
  StyleSetValues values = customValues();
  auto load = std::async(std::launch::async,
                         [&] { return loadStyleSet(root_, "Piped", values, nullptr).kind; });
  if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    // Let the stuck open return, then fail.
    const int fd = ::open(native(set + "Style.kws").constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    load.wait();
    FAIL() << "loading the set blocked on its FIFO";
  }
  EXPECT_EQ(load.get(), StyleSetLoad::Kind::Rejected);
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_EQ(prompts_.asked()[0].text, "StyleSetファイルが見つからないか、不正です。");
}

}  // namespace
}  // namespace kwemo
