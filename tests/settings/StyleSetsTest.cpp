// Style sets: the file format, and folders (listing, saving and loading, names that are refused,
// and sets unpacked from somewhere else: links never carry a save outside the style folder, a
// FIFO never blocks a load).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <tuple>

#include <sys/stat.h>

#include "FileBytes.h"
#include "QStringPrinter.h"
#include "ScopedPrompts.h"
#include "settings/StyleSetFile.h"
#include "settings/StyleSetName.h"
#include "settings/StyleSets.h"
#include "settings/modFileSearch.h"
#include "settings/model/StyleSetValues.h"

namespace kwemo {
namespace {

const QString kRejected = QStringLiteral("StyleSetファイルが見つからないか、不正です。");

using test::native;
using test::readAll;

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  test::writeBytes(path, bytes);
}

// A look whose every value differs from the initial one, as reading it from a file gives it.
StyleSetValues customValues() {
  StyleSetValues v{.cmbBold = {2, 3, 4, 0},
                   .txtLong = {"62", "80", "95"},
                   .vscLong = {38, 20, 5},
                   .txtForm = {"200", "150"},
                   .chkDC = 0,
                   .txtAlign = "72.5",
                   .vscAlign = 28,  // 27.5 to even
                   .txtDF = "yyyy/mm/dd",
                   .cmbFonts = "IPAPGothic",
                   .txtFS = "12",
                   .vscFS = 124,
                   .chkFont = {1, 0},
                   .cmbDrawMode = 6,
                   .chkMemori = 1,
                   .chkSV = 1};
  std::int16_t n = 0;  // 10,20,30 up to 160,170,180
  for (ColorTriplet& c : v.EditColors)
    for (std::int16_t* part : {&c.red, &c.green, &c.blue}) *part = n += 10;
  return v;
}

QByteArray crlf(const QStringList& lines) { return (lines.join("\r\n") + "\r\n").toUtf8(); }

QStringList writtenLines(const StyleSetValues& v) {
  const QString text = QString::fromUtf8(writeStyleSetFile(v));
  EXPECT_TRUE(text.endsWith("\r\n"));
  return text.chopped(2).split("\r\n");
}

// The lines the values write, then the bars.
QStringList shown(const StyleSetValues& v) {
  return writtenLines(v) << QString::asprintf("%d,%d,%d,%d,%d", v.vscLong[0], v.vscLong[1],
                                              v.vscLong[2], v.vscAlign, v.vscFS);
}

// Edits written "n=text;n=text": line n becomes text.
QStringList patched(QStringList lines, const char* edits) {
  for (const QString& e : QString::fromUtf8(edits).split(u';', Qt::SkipEmptyParts))
    lines[e.section(u'=', 0, 0).toInt()] = e.section(u'=', 1);
  return lines;
}

// A set whose every line differs from the initial look.
const QStringList kCustom =
    QStringLiteral(
        "KWEMO StyleSet File|10,20,30|40,50,60|70,80,90|100,110,120|130,140,150|"
        "160,170,180|3|4|5|1|62.5|80|95|200|150|0|72.5|\"yyyy/mm/dd\"|"
        "\"IPAPGothic\"|\"12\"|1|0|7|1|1|0")
        .split(u'|');

TEST(StyleSetFileWrite, InitialLookGivesTheReferenceLines) {
  StyleSetValues v;
  v.chkFont = {1, 0};
  EXPECT_EQ(
      writtenLines(v),
      QStringLiteral("KWEMO StyleSet File|0,0,0|0,0,0|0,0,0|255,255,255|0,0,0|0,0,0|2|2|1|1|"
                     "60|80|95|120|120|1|70|\"m/d h:nn\"|\"ＭＳ Ｐゴシック\"|\"8\"|1|0|13|0|0|0")
          .split(u'|'));
  EXPECT_EQ(writtenLines(customValues()).mid(1, 10), kCustom.mid(1, 10));
}

TEST(StyleSetFileWrite, NumbersTakeTheLeadingValueOfTheBoxText) {
  const std::pair<const char*, const char*> cases[] = {
      {"-0.5", "-.5"},
      {" 1 2x", "12"},
      {"1e999", "0"},
      {"12345678901234567", "1.23456789012346E+16"}};
  for (const auto& [box, line] : cases) {
    StyleSetValues v;
    v.txtLong[0] = v.txtAlign = QString::fromUtf8(box);
    const QStringList lines = writtenLines(v);
    EXPECT_EQ(lines[11] + '|' + lines[17], QString(line) + '|' + line);
  }
}

// Rows (wrong kinds; values the controls refuse; blanks, radix and signs): lines replaced in
// kCustom, the fields that failed, and the lines that differ from kCustom when the values read are
// written back (27: the bars).
TEST(StyleSetFileRead, DamagedFilesLoadWhatTheyCan) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"1=1,2,x;8=abc;14=\"200\";23=99", 4, "1=0,0,0;8=2;14=120;23=13"},
      {"2=256,0,0;3=-1,0,0;5=40000,1,1;7=0;11=150;16=3;17=abc;20=\"200\";21=-1", 9,
       "2=0,0,0;3=0,0,0;5=0,0,0;7=2;11=150;16=1;17=0;20=\"200\";21=0;27=40,20,5,30,128"},
      {"1=  &HA , &O24 ,+30  ;11=6.25e1;17= 72.5 ", 0, ""},
  };
  for (const auto& [in, failed, out] : cases) {
    const QStringList lines = patched(kCustom, in), expected = patched(shown(customValues()), out);
    // Line ends as an editor on any system leaves them.
    for (const char* end : {"\r\n", "\n"}) {
      StyleSetValues v;
      const StyleSetRead r = readStyleSetFile(lines.join(QString::fromLatin1(end)).toUtf8(), v);
      EXPECT_TRUE(r.accepted && r.failedFields == failed) << in;
      EXPECT_EQ(shown(v), expected);
    }
  }
  // A file that ends early keeps the initial values from there on.
  StyleSetValues v;
  EXPECT_EQ(readStyleSetFile(crlf(kCustom.mid(0, 12)), v).failedFields, 15);
  EXPECT_EQ(shown(v).join(u'|'), kCustom.mid(0, 11).join(u'|') +
                                     "|62|80|95|120|120|1|70|\"m/d h:nn\"|\"ＭＳ Ｐゴシック\"|"
                                     "\"8\"|0|0|13|0|0|0|38,20,5,30,128");
}

TEST(StyleSetFileRead, ForeignOrOversizedFilesChangeNothing) {
  QByteArray big = crlf(kCustom);
  big.append(QByteArray(kStyleSetMaxBytes, ' '));
  for (const QByteArray& bytes : {QByteArray(), QByteArray("KWEMO StyleSet File 2\r\n1,2,3\r\n"),
                                  QByteArray("\"KWEMO StyleSet\",File\r\n"), big}) {
    StyleSetValues v = customValues();
    EXPECT_FALSE(readStyleSetFile(bytes, v).accepted) << bytes.left(40).toStdString();
    EXPECT_EQ(v, customValues());
  }
  // A byte-order mark from an editor is not part of the header.
  StyleSetValues v;
  EXPECT_TRUE(readStyleSetFile("\xEF\xBB\xBF" + crlf(kCustom), v).accepted);
  EXPECT_EQ(v, customValues());
}

TEST(StyleSetFileRead, ShiftJisFilesAreDecoded) {
  QByteArray bytes = crlf(patched(kCustom, "18=\"@FMT@\";19=\"@FONT@\""));
  // "ＭＳ Ｐゴシック" and "h時nn分" in code page 932.
  bytes.replace("@FONT@", "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
  bytes.replace("@FMT@", "h\x8e\x9enn\x95\xaa\\s");
  StyleSetValues v;
  EXPECT_EQ(readStyleSetFile(bytes, v).failedFields, 0);
  EXPECT_EQ(v.cmbFonts + '|' + v.txtDF, QStringLiteral("ＭＳ Ｐゴシック|h時nn分\\s"));
  // Neither UTF-8 nor code page 932: the broken byte becomes U+FFFD, the rest still reads.
  EXPECT_EQ(decodeStyleSetText("a\x80z\xff"), QStringLiteral("a\uFFFDz\uFFFD"));
}

TEST(StyleSetFileStrings, EveryTextReadsBackAsWritten) {
  // Plain texts (the first three) are written as they are; the others in an escaped form.
  const char* cases[] = {"a,b",        "%22",         "back\\slash", "say \"hi\"",
                         "cr\rlf\r\n", "a\"b,c %41 ", "nul@\""};  // @: a NUL
  for (const char*& raw : cases) {
    const QString s = QString(raw).replace(u'@', QChar(0));
    SCOPED_TRACE(s.toStdString());
    StyleSetValues v;
    v.txtDF = v.cmbFonts = s;
    EXPECT_EQ(writtenLines(v)[18] == '"' + s + '"', &raw - cases < 3);
    StyleSetValues back = customValues();
    EXPECT_EQ(readStyleSetFile(writeStyleSetFile(v), back).failedFields, 0);
    EXPECT_EQ(back, v);
  }
}

class StyleSetsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(home_.isValid()); }
  QStringList entries(const QString& folder) const {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  QTemporaryDir home_;
  QString root_ = home_.path() + "/Style/";
  test::ScopedPrompts scope_;
  ScriptedPrompts& prompts_ = scope_.scripted;
};

TEST_F(StyleSetsTest, SaveThenLoadGivesBackTheLook) {
  writeFile(home_.path() + "/pic.gif", "GIF89a-not-really-but-kept-as-is");
  ASSERT_EQ(saveStyleSet(root_, "  Mine ", customValues(), home_.path() + "/pic.gif", nullptr),
            StyleSetSave::Saved);
  StyleSetValues v;
  const StyleSetLoad load = loadStyleSet(root_, "Mine", v, nullptr);
  EXPECT_TRUE(load.kind == StyleSetLoad::Kind::Loaded && !load.errorNoted);
  EXPECT_EQ(load.picturePath, root_ + "Mine/Back.bmp");

  // Saving the loaded set again over itself keeps its picture; the second save replaces the file.
  v.txtDF = "h:nn";
  ASSERT_EQ(saveStyleSet(root_, "mine", v, load.picturePath, nullptr), StyleSetSave::Saved);
  EXPECT_EQ(readAll(root_ + "Mine/Back.bmp"), "GIF89a-not-really-but-kept-as-is");
  EXPECT_EQ(readAll(root_ + "Mine/Style.kws"), writeStyleSetFile(v));
  EXPECT_EQ(entries(root_ + "Mine"), QStringList({"Back.bmp", "Style.kws"}));
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(StyleSetsTest, FileNamesInASetIgnoreCase) {
  writeFile(root_ + "Upper/STYLE.KWS", writeStyleSetFile(customValues()));
  writeFile(root_ + "Upper/back.BMP", "BM");
  StyleSetValues v;
  EXPECT_EQ(loadStyleSet(root_, "Upper", v, nullptr).picturePath, root_ + "Upper/back.BMP");
  // Saving writes into the files that are there rather than beside them.
  ASSERT_EQ(saveStyleSet(root_, "UPPER", StyleSetValues{}, home_.path() + "/none.bmp", nullptr),
            StyleSetSave::Failed);  // the picture is missing; the values are still written
  EXPECT_EQ(entries(root_ + "Upper"), QStringList({"back.BMP", "STYLE.KWS"}));
  EXPECT_EQ(readAll(root_ + "Upper/STYLE.KWS"), writeStyleSetFile(StyleSetValues{}));
}

TEST_F(StyleSetsTest, BadSetsAreRejectedAndPartialOnesLoadWithoutThePicture) {
  // Foreign and oversized files are the reader's own cases above.
  QDir().mkpath(root_ + "dir/Style.kws");
  writeFile(home_.path() + "/Style.kws", writeStyleSetFile(customValues()));  // outside any set
  for (const QString entry : {"dir", "missing", "..", ""}) {
    StyleSetValues v;
    EXPECT_EQ(loadStyleSet(root_, entry, v, nullptr).kind, StyleSetLoad::Kind::Rejected);
    EXPECT_EQ(v, StyleSetValues{}) << entry.toStdString();
  }
  EXPECT_EQ(prompts_.asked().size(), 4u);
  for (const auto& asked : prompts_.asked()) EXPECT_EQ(asked.text, kRejected);
  // No picture, a file that ends early: loaded, the error noted.
  writeFile(root_ + "nopic/Style.kws", writeStyleSetFile(customValues()));
  writeFile(root_ + "short/Style.kws",
            writtenLines(customValues()).mid(0, 20).join("\r\n").toUtf8());
  writeFile(root_ + "short/Back.bmp", "BM");
  prompts_.clear();
  for (const QString entry : {"nopic", "short"}) {
    StyleSetValues v;
    const StyleSetLoad load = loadStyleSet(root_, entry, v, nullptr);
    EXPECT_TRUE(load.kind == StyleSetLoad::Kind::Loaded && load.errorNoted) << entry.toStdString();
    EXPECT_TRUE(load.picturePath.isEmpty());
    EXPECT_EQ(v.cmbFonts, customValues().cmbFonts);  // line 20 is there in every one of them
  }
  EXPECT_TRUE(prompts_.asked().empty());
}

TEST_F(StyleSetsTest, UnsafeNamesAreRefusedAndCreateNothing) {
  const QString cases[] = {"   ", "..", "a/../evil", QString("a") + QChar(0) + "b",
                           QString(101, u'x'),
                           QString(86, QChar(0x3042)),  // 86 characters but 258 bytes
                           // Names the list would show as its reset entry, or that make it lie.
                           QStringLiteral(" <初期状態に戻す>\u3000"),
                           QStringLiteral("＜初期状態に戻す＞"), QStringLiteral("abc\u202Edef")};
  for (const QString& name : cases) {
    prompts_.clear();
    EXPECT_EQ(saveStyleSet(root_, name, customValues(), {}, nullptr), StyleSetSave::Refused)
        << name.toStdString();
    ASSERT_EQ(prompts_.asked().size(), 1u);
    EXPECT_EQ(prompts_.asked()[0].text, "スタイルセットを保存できません。\n" +
                                            styleSetNameProblem(name.trimmed()).value_or("?"));
  }
  prompts_.clear();
  EXPECT_EQ(saveStyleSet(root_, "", customValues(), {}, nullptr), StyleSetSave::Cancelled);
  EXPECT_EQ(entries(home_.path()), QStringList());
  EXPECT_TRUE(prompts_.asked().empty());
  // The longest names that are still fine.
  for (const QString& name : {QString(100, u'x'), QString(85, QChar(0x3042)), QString("a.b \\ c")})
    EXPECT_EQ(saveStyleSet(root_, name, customValues(), {}, nullptr), StyleSetSave::Saved);
}

TEST_F(StyleSetsTest, SavesReplaceLinksAndNeverLeaveTheStyleFolder) {
  const QString outside = home_.path() + "/outside/", set = root_ + "Set/";
  writeFile(home_.path() + "/picture.bmp", "BM picture bytes");
  writeFile(outside + "victim.txt", "not yours");  // each row must leave it as it is
  // Each row makes the trap, naming the entry the message must name (null: the save works).
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { QFile::link(outside + "victim.txt", set + "Style.kws"); }, nullptr},
      {[&] { QFile::link(outside + "victim.txt", set + "Back.bmp"); }, nullptr},
      {[&] { QDir(set).removeRecursively(), QFile::link(outside, set.chopped(1)); }, "Set"},
      {[&] { ::mkfifo(native(set + "Style.kws").constData(), 0600); }, "Set/Style.kws"},
      {[&] { QDir().mkpath(set + "Style.kws/x"); }, "Set/Style.kws"},
      {[&] { QDir(root_).removeRecursively(), writeFile(root_.chopped(1), "a file"); }, ""},
  };
  for (const auto& [make, failing] : cases) {
    SCOPED_TRACE(failing ? failing : "saved");
    QDir(root_).removeRecursively();
    QFile::remove(root_.chopped(1));
    QDir().mkpath(set);
    make();
    prompts_.clear();
    EXPECT_EQ(saveStyleSet(root_, "Set", customValues(), home_.path() + "/picture.bmp", nullptr),
              failing ? StyleSetSave::Failed : StyleSetSave::Saved);
    EXPECT_EQ(entries(outside), QStringList{"victim.txt"});
    EXPECT_EQ(readAll(outside + "victim.txt"), "not yours");
    ASSERT_EQ(prompts_.asked().size(), failing ? 1u : 0u);
    if (!failing)
      EXPECT_EQ(readAll(set + "Back.bmp") + readAll(set + "Style.kws"),
                "BM picture bytes" + writeStyleSetFile(customValues()));
    else
      EXPECT_TRUE(prompts_.asked()[0].text.startsWith("スタイルセットを保存できませんでした。") &&
                  prompts_.asked()[0].text.contains(root_ + failing));
  }
}

TEST_F(StyleSetsTest, AFifoInASetNeitherBlocksTheLoadNorIsTakenForItsFile) {
  const QString fifo = root_ + "Piped/Style.kws";
  QDir().mkpath(root_ + "Piped");
  ASSERT_EQ(::mkfifo(native(fifo).constData(), 0600), 0);
  StyleSetValues values = customValues();
  StyleSetLoad::Kind kind{};
  EXPECT_TRUE(test::finishesWithoutBlocking(
      [&] { kind = loadStyleSet(root_, "Piped", values, nullptr).kind; }, fifo));
  EXPECT_EQ(kind, StyleSetLoad::Kind::Rejected);
  ASSERT_EQ(prompts_.asked().size(), 1u);
  EXPECT_EQ(prompts_.asked()[0].text, kRejected);
}

}  // namespace
}  // namespace kwemo
