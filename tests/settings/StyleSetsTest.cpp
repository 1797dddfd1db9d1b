#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "StyleSetFixtures.h"
#include "desktop/Prompts.h"
#include "settings/StyleSetFile.h"
#include "settings/StyleSetName.h"
#include "settings/StyleSets.h"
#include "settings/modFileSearch.h"

namespace kwemo {
namespace {

const QString kRejected = QStringLiteral("StyleSetファイルが見つからないか、不正です。");

class StyleSetsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home_.isValid());
    root_ = home_.path() + "/Style/";
    setPrompts(&prompts_);
  }
  void TearDown() override { setPrompts(nullptr); }

  static void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  static QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Every path under the temporary home, relative to it.
  QStringList everything() const {
    QStringList found;
    QDirIterator it(home_.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) found << QDir(home_.path()).relativeFilePath(it.next());
    found.sort();
    return found;
  }
  // As customValues(), with a fractional length and a quote in the font name.
  static StyleSetValues someLook() {
    StyleSetValues v = customValues();
    v.txtLong[0] = "62.5";
    v.cmbFonts = "IPA\"P\"Gothic";
    return v;
  }

  QTemporaryDir home_;
  QString root_;
  ScriptedPrompts prompts_;
};

TEST_F(StyleSetsTest, ListingShowsSetFoldersOnlySortedByName) {
  EXPECT_TRUE(ListStyleSets(root_).isEmpty());
  EXPECT_EQ(saveStyleSet(root_, "first", StyleSetValues{}, {}, nullptr), StyleSetSave::Saved);
  EXPECT_TRUE(QFileInfo(root_ + "first/Style.kws").isFile());
  QDir().mkpath(root_ + ".hidden");
  QDir().mkpath(root_ + "Zeta");
  QDir().mkpath(root_ + "alpha");
  QDir().mkpath(root_ + "no file yet");
  writeFile(root_ + "plain.kws", "KWEMO StyleSet File\r\n");
  EXPECT_EQ(ListStyleSets(root_), QStringList({"alpha", "first", "no file yet", "Zeta"}));
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(StyleSetsTest, SaveThenLoadGivesBackTheLook) {
  writeFile(home_.path() + "/pic.gif", "GIF89a-not-really-but-kept-as-is");
  ASSERT_EQ(saveStyleSet(root_, "  Mine ", someLook(), home_.path() + "/pic.gif", nullptr),
            StyleSetSave::Saved);
  EXPECT_EQ(readFile(root_ + "Mine/Back.bmp"), "GIF89a-not-really-but-kept-as-is");

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
  EXPECT_EQ(everything(), QStringList({"Style", "Style/Mine", "Style/Mine/Back.bmp",
                                       "Style/Mine/Style.kws", "pic.gif"}));
  StyleSetValues again;
  loadStyleSet(root_, "Mine", again, nullptr);
  EXPECT_EQ(again.txtDF, "h:nn");
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(StyleSetsTest, FileNamesInASetIgnoreCase) {
  writeFile(root_ + "Upper/STYLE.KWS", writeStyleSetFile(someLook()));
  writeFile(root_ + "Upper/back.BMP", "BM");
  StyleSetValues v;
  const StyleSetLoad load = loadStyleSet(root_, "Upper", v, nullptr);
  EXPECT_EQ(load.kind, StyleSetLoad::Kind::Loaded);
  EXPECT_EQ(load.picturePath, root_ + "Upper/back.BMP");
  // Saving writes into the files that are there rather than beside them.
  ASSERT_EQ(saveStyleSet(root_, "UPPER", StyleSetValues{}, home_.path() + "/none.bmp", nullptr),
            StyleSetSave::Failed);  // the picture is missing; the values are still written
  EXPECT_EQ(QDir(root_ + "Upper").entryList(QDir::Files, QDir::Name),
            QStringList({"STYLE.KWS", "back.BMP"}));
  EXPECT_EQ(readFile(root_ + "Upper/STYLE.KWS"), writeStyleSetFile(StyleSetValues{}));
}

TEST_F(StyleSetsTest, BadSetsShowTheErrorAndChangeNothing) {
  QByteArray big = writeStyleSetFile(someLook());
  big.append(QByteArray(kStyleSetMaxBytes, '\n'));
  writeFile(root_ + "foreign/Style.kws", "KWEMO StyleSet\r\n0,0,0\r\n");
  writeFile(root_ + "foreign/Back.bmp", "BM");
  writeFile(root_ + "huge/Style.kws", big);
  QDir().mkpath(root_ + "empty");
  QDir().mkpath(root_ + "dir/Style.kws");
  writeFile(home_.path() + "/Style.kws", writeStyleSetFile(someLook()));  // outside any set
  for (const QString entry : {"foreign", "huge", "empty", "dir", "missing", "..", "", "../"}) {
    prompts_.clear();
    StyleSetValues v;
    const StyleSetLoad load = loadStyleSet(root_, entry, v, nullptr);
    EXPECT_EQ(load.kind, StyleSetLoad::Kind::Rejected) << entry.toStdString();
    EXPECT_EQ(v, StyleSetValues{}) << entry.toStdString();
    ASSERT_EQ(prompts_.asked().size(), 1u);
    EXPECT_EQ(prompts_.asked()[0].text, kRejected);
    EXPECT_EQ(prompts_.asked()[0].title, "Error");
    EXPECT_EQ(prompts_.asked()[0].icon, Icon::Critical);
  }
}

TEST_F(StyleSetsTest, PartialSetsLoadWithoutThePicture) {
  QStringList lines =
      QString::fromUtf8(writeStyleSetFile(someLook())).split("\r\n", Qt::SkipEmptyParts);
  writeFile(root_ + "nopic/Style.kws", writeStyleSetFile(someLook()));
  writeFile(root_ + "short/Style.kws", (lines.mid(0, 20).join("\r\n")).toUtf8());
  writeFile(root_ + "short/Back.bmp", "BM");
  lines[9] = "wide";
  writeFile(root_ + "odd/Style.kws", (lines.join("\r\n")).toUtf8());
  writeFile(root_ + "odd/Back.bmp", "BM");
  for (const QString entry : {"nopic", "short", "odd"}) {
    StyleSetValues v;
    const StyleSetLoad load = loadStyleSet(root_, entry, v, nullptr);
    EXPECT_EQ(load.kind, StyleSetLoad::Kind::Loaded);
    EXPECT_TRUE(load.errorNoted) << entry.toStdString();
    EXPECT_TRUE(load.picturePath.isEmpty()) << entry.toStdString();
    EXPECT_EQ(v.cmbFonts, someLook().cmbFonts);  // line 20 is there in every one of them
    EXPECT_EQ(v.cmbBold[0], someLook().cmbBold[0]);
  }
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(StyleSetsTest, UnsafeNamesAreRefusedAndCreateNothing) {
  const QString cases[] = {
      "   ", ".", "..", ".hidden", "a/b", "../evil", "tab\there", QString("a") + QChar(0) + "b",
      QString(QChar(0x7F)), QString(QChar(0x85)), QString(101, u'x'),
      QString(86, QChar(0x3042)),  // 86 characters but 258 bytes
      // The reset entry's name, and names the list would show as it.
      kResetEntry, QStringLiteral(" <初期状態に戻す>\u3000"), QStringLiteral("＜初期状態に戻す＞"),
      QStringLiteral("<初期状態に戻す\u200B>"),
      // Invisible format characters that make the list lie.
      QStringLiteral("abc\u202Edef"), QStringLiteral("\u2066x\u2069"), QStringLiteral("\u200Bx"),
      QStringLiteral("x\uFEFF"), QStringLiteral("so\u00ADft")};
  for (const QString& name : cases) {
    prompts_.clear();
    EXPECT_EQ(saveStyleSet(root_, name, someLook(), {}, nullptr), StyleSetSave::Refused)
        << name.toStdString();
    ASSERT_EQ(prompts_.asked().size(), 1u);
    EXPECT_EQ(prompts_.asked()[0].title, "Save StyleSet");
    EXPECT_EQ(prompts_.asked()[0].text, "スタイルセットを保存できません。\n" +
                                            styleSetNameProblem(name.trimmed()).value_or("?"));
  }
  EXPECT_EQ(everything(), QStringList());
  prompts_.clear();
  EXPECT_EQ(saveStyleSet(root_, "", someLook(), {}, nullptr), StyleSetSave::Cancelled);
  EXPECT_EQ(everything(), QStringList());
  EXPECT_TRUE(prompts_.asked().empty());
  // The longest names that are still fine.
  EXPECT_EQ(saveStyleSet(root_, QString(100, u'x'), someLook(), {}, nullptr), StyleSetSave::Saved);
  EXPECT_EQ(saveStyleSet(root_, QString(85, QChar(0x3042)), someLook(), {}, nullptr),
            StyleSetSave::Saved);
  EXPECT_EQ(saveStyleSet(root_, "a.b \\ c", someLook(), {}, nullptr), StyleSetSave::Saved);
  EXPECT_EQ(ListStyleSets(root_).size(), 3);
}

TEST_F(StyleSetsTest, FailedWritesAreReported) {
  writeFile(home_.path() + "/Style", "a file where the root should be");
  EXPECT_EQ(saveStyleSet(root_, "x", someLook(), {}, nullptr), StyleSetSave::Failed);
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_TRUE(prompts_.asked()[0].text.startsWith("スタイルセットを保存できませんでした。"));
}

}  // namespace
}  // namespace kwemo
