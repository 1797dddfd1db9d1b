// Style-set folders: listing, saving and loading, names that are refused, and sets unpacked from
// somewhere else (links never carry a save outside the style folder, a FIFO never blocks a load).
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
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
#include "settings/StyleSetName.h"
#include "settings/StyleSets.h"
#include "settings/modFileSearch.h"

namespace kwemo {
namespace {

const QString kRejected = QStringLiteral("StyleSetファイルが見つからないか、不正です。");

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

// As customValues(), with a fractional length and a quote in the font name.
StyleSetValues someLook() {
  StyleSetValues v = customValues();
  v.txtLong[0] = "62.5";
  v.cmbFonts = "IPA\"P\"Gothic";
  return v;
}

class StyleSetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    setPrompts(&prompts_);
  }
  void TearDown() override { setPrompts(nullptr); }
  // Every path under the temporary home, relative to it.
  QStringList everything() const {
    QStringList found;
    QDirIterator it(home_.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) found << QDir(home_.path()).relativeFilePath(it.next());
    found.sort();
    return found;
  }

  QTemporaryDir home_;
  QString root_ = home_.path() + "/Style/";
  ScriptedPrompts prompts_;
};

TEST_F(StyleSetsTest, ListingShowsSetFoldersOnlySortedByName) {
  EXPECT_TRUE(ListStyleSets(root_).isEmpty());
  for (const char* folder : {".hidden", "Zeta", "alpha", "no file yet"})
    QDir().mkpath(root_ + folder);
  writeFile(root_ + "plain.kws", "KWEMO StyleSet File\r\n");
  EXPECT_EQ(ListStyleSets(root_), QStringList({"alpha", "no file yet", "Zeta"}));
}

TEST_F(StyleSetsTest, SaveThenLoadGivesBackTheLook) {
  writeFile(home_.path() + "/pic.gif", "GIF89a-not-really-but-kept-as-is");
  ASSERT_EQ(saveStyleSet(root_, "  Mine ", someLook(), home_.path() + "/pic.gif", nullptr),
            StyleSetSave::Saved);
  StyleSetValues v;
  const StyleSetLoad load = loadStyleSet(root_, "Mine", v, nullptr);
  StyleSetValues expected = someLook();
  expected.txtLong[0] = "62";  // read back as an integer, half to even
  EXPECT_EQ(load.kind, StyleSetLoad::Kind::Loaded);
  EXPECT_FALSE(load.errorNoted);
  EXPECT_EQ(load.picturePath, root_ + "Mine/Back.bmp");
  EXPECT_EQ(v, expected);

  // Saving the loaded set again over itself keeps its picture; the second save replaces the file.
  v.txtDF = "h:nn";
  ASSERT_EQ(saveStyleSet(root_, "mine", v, load.picturePath, nullptr), StyleSetSave::Saved);
  EXPECT_EQ(readFile(root_ + "Mine/Back.bmp"), "GIF89a-not-really-but-kept-as-is");
  EXPECT_EQ(readFile(root_ + "Mine/Style.kws"), writeStyleSetFile(v));
  EXPECT_EQ(everything(), QStringList({"Style", "Style/Mine", "Style/Mine/Back.bmp",
                                       "Style/Mine/Style.kws", "pic.gif"}));
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(StyleSetsTest, FileNamesInASetIgnoreCase) {
  writeFile(root_ + "Upper/STYLE.KWS", writeStyleSetFile(someLook()));
  writeFile(root_ + "Upper/back.BMP", "BM");
  StyleSetValues v;
  EXPECT_EQ(loadStyleSet(root_, "Upper", v, nullptr).picturePath, root_ + "Upper/back.BMP");
  // Saving writes into the files that are there rather than beside them.
  ASSERT_EQ(saveStyleSet(root_, "UPPER", StyleSetValues{}, home_.path() + "/none.bmp", nullptr),
            StyleSetSave::Failed);  // the picture is missing; the values are still written
  EXPECT_EQ(QDir(root_ + "Upper").entryList(QDir::Files, QDir::Name),
            QStringList({"STYLE.KWS", "back.BMP"}));
  EXPECT_EQ(readFile(root_ + "Upper/STYLE.KWS"), writeStyleSetFile(StyleSetValues{}));
}

TEST_F(StyleSetsTest, BadSetsAreRejectedAndPartialOnesLoadWithoutThePicture) {
  QByteArray big = writeStyleSetFile(someLook());
  big.append(QByteArray(kStyleSetMaxBytes, '\n'));
  writeFile(root_ + "foreign/Style.kws", "KWEMO StyleSet\r\n0,0,0\r\n");
  writeFile(root_ + "foreign/Back.bmp", "BM");
  writeFile(root_ + "huge/Style.kws", big);
  QDir().mkpath(root_ + "dir/Style.kws");
  writeFile(home_.path() + "/Style.kws", writeStyleSetFile(someLook()));  // outside any set
  for (const QString entry : {"foreign", "huge", "dir", "missing", "..", ""}) {
    prompts_.clear();
    StyleSetValues v;
    EXPECT_EQ(loadStyleSet(root_, entry, v, nullptr).kind, StyleSetLoad::Kind::Rejected);
    EXPECT_EQ(v, StyleSetValues{}) << entry.toStdString();
    ASSERT_EQ(prompts_.asked().size(), 1u);
    EXPECT_EQ(prompts_.asked()[0].text, kRejected);
  }
  QStringList lines =
      QString::fromUtf8(writeStyleSetFile(someLook())).split("\r\n", Qt::SkipEmptyParts);
  writeFile(root_ + "nopic/Style.kws", writeStyleSetFile(someLook()));
  writeFile(root_ + "short/Style.kws", (lines.mid(0, 20).join("\r\n")).toUtf8());
  writeFile(root_ + "short/Back.bmp", "BM");
  lines[9] = "wide";
  writeFile(root_ + "odd/Style.kws", (lines.join("\r\n")).toUtf8());
  writeFile(root_ + "odd/Back.bmp", "BM");
  prompts_.clear();
  for (const QString entry : {"nopic", "short", "odd"}) {
    StyleSetValues v;
    const StyleSetLoad load = loadStyleSet(root_, entry, v, nullptr);
    EXPECT_EQ(load.kind, StyleSetLoad::Kind::Loaded);
    EXPECT_TRUE(load.errorNoted && load.picturePath.isEmpty()) << entry.toStdString();
    EXPECT_EQ(v.cmbFonts, someLook().cmbFonts);  // line 20 is there in every one of them
  }
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(StyleSetsTest, UnsafeNamesAreRefusedAndCreateNothing) {
  const QString cases[] = {
      "   ", "..", ".hidden", "../evil", QString("a") + QChar(0) + "b", QString(QChar(0x85)),
      QString(101, u'x'), QString(86, QChar(0x3042)),  // 86 characters but 258 bytes
      // The reset entry's name, and names the list would show as it.
      kResetEntry, QStringLiteral(" <初期状態に戻す>\u3000"), QStringLiteral("＜初期状態に戻す＞"),
      // Invisible format characters that make the list lie.
      QStringLiteral("abc\u202Edef"), QStringLiteral("x\uFEFF")};
  for (const QString& name : cases) {
    prompts_.clear();
    EXPECT_EQ(saveStyleSet(root_, name, someLook(), {}, nullptr), StyleSetSave::Refused)
        << name.toStdString();
    ASSERT_EQ(prompts_.asked().size(), 1u);
    EXPECT_EQ(prompts_.asked()[0].text, "スタイルセットを保存できません。\n" +
                                            styleSetNameProblem(name.trimmed()).value_or("?"));
  }
  prompts_.clear();
  EXPECT_EQ(saveStyleSet(root_, "", someLook(), {}, nullptr), StyleSetSave::Cancelled);
  EXPECT_EQ(everything(), QStringList());
  EXPECT_TRUE(prompts_.asked().empty());
  // The longest names that are still fine.
  for (const QString& name : {QString(100, u'x'), QString(85, QChar(0x3042)), QString("a.b \\ c")})
    EXPECT_EQ(saveStyleSet(root_, name, someLook(), {}, nullptr), StyleSetSave::Saved);
}

TEST_F(StyleSetsTest, SavesReplaceLinksAndNeverLeaveTheStyleFolder) {
  const QString outside = home_.path() + "/outside/", set = root_ + "Set/";
  writeFile(home_.path() + "/picture.bmp", "BM picture bytes");
  using Make = std::function<void()>;
  const struct {
    const char* name;
    Make make;
    const char* failing;  // the entry named in the message; null: saved
  } cases[] = {
      {"Style.kws links outside", [&] { QFile::link(outside + "victim.txt", set + "Style.kws"); },
       nullptr},
      {"Back.bmp links outside", [&] { QFile::link(outside + "victim.txt", set + "Back.bmp"); },
       nullptr},
      {"the set folder links outside",
       [&] {
         QDir(set).removeRecursively();
         QFile::link(outside, set.chopped(1));
       },
       "Set"},
      {"a FIFO named Style.kws", [&] { ::mkfifo(native(set + "Style.kws").constData(), 0600); },
       "Set/Style.kws"},
      {"a directory named Style.kws", [&] { QDir().mkpath(set + "Style.kws/x"); }, "Set/Style.kws"},
      {"the style folder is a file",
       [&] {
         QDir(root_).removeRecursively();
         writeFile(root_.chopped(1), "a file where the root should be");
       },
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(root_).removeRecursively();
    QFile::remove(root_.chopped(1));
    QDir().mkpath(set);
    writeFile(outside + "victim.txt", "not yours");
    c.make();
    prompts_.clear();
    const StyleSetSave saved =
        saveStyleSet(root_, "Set", customValues(), home_.path() + "/picture.bmp", nullptr);
    EXPECT_EQ(saved, c.failing ? StyleSetSave::Failed : StyleSetSave::Saved);
    EXPECT_EQ(readFile(outside + "victim.txt"), "not yours");
    EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"victim.txt"});
    if (!c.failing) {
      EXPECT_TRUE(prompts_.asked().empty());
      struct stat st {};
      for (const char* file : {"Style.kws", "Back.bmp"})
        EXPECT_TRUE(::lstat(native(set + file).constData(), &st) == 0 && S_ISREG(st.st_mode));
      EXPECT_EQ(readFile(set + "Back.bmp"), "BM picture bytes");
      EXPECT_EQ(readFile(set + "Style.kws"), writeStyleSetFile(customValues()));
    } else {
      ASSERT_EQ(prompts_.asked().size(), 1u);
      const QString text = prompts_.asked()[0].text;
      EXPECT_TRUE(text.startsWith("スタイルセットを保存できませんでした。"));
      EXPECT_TRUE(text.contains(root_ + c.failing)) << text.toStdString();
    }
  }
}

TEST_F(StyleSetsTest, AFifoInASetNeitherBlocksTheLoadNorIsTakenForItsFile) {
  const QString fifo = root_ + "Piped/Style.kws";
  QDir().mkpath(root_ + "Piped");
  ASSERT_EQ(::mkfifo(native(fifo).constData(), 0600), 0);
  StyleSetValues values = customValues();
  auto load = std::async(std::launch::async,
                         [&] { return loadStyleSet(root_, "Piped", values, nullptr).kind; });
  if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    // Let the stuck open return, then fail.
    const int fd = ::open(native(fifo).constData(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) ::close(fd);
    load.wait();
    FAIL() << "loading the set blocked on its FIFO";
  }
  EXPECT_EQ(load.get(), StyleSetLoad::Kind::Rejected);
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_EQ(prompts_.asked()[0].text, kRejected);
}

}  // namespace
}  // namespace kwemo
