#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

#include "StyleSetFixtures.h"
#include "settings/StyleSetFile.h"

namespace kwemo {
namespace {

QByteArray crlf(const QStringList& lines) { return (lines.join("\r\n") + "\r\n").toUtf8(); }

QStringList writtenLines(const StyleSetValues& v) {
  const QString text = QString::fromUtf8(writeStyleSetFile(v));
  EXPECT_TRUE(text.endsWith("\r\n"));
  QStringList lines = text.split("\r\n");
  lines.removeLast();
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
  const QStringList expected =
      QStringLiteral(
          "KWEMO StyleSet File|0,0,0|0,0,0|0,0,0|255,255,255|0,0,0|0,0,0|2|2|1|1|"
          "60|80|95|120|120|1|70|\"m/d h:nn\"|\"ＭＳ Ｐゴシック\"|\"8\"|1|0|13|0|0|0")
          .split(u'|');
  EXPECT_EQ(writtenLines(v), expected);
  EXPECT_EQ(writtenLines(customValues()).mid(1, 10), kCustom.mid(1, 10));
}

TEST(StyleSetFileWrite, NumbersTakeTheLeadingValueOfTheBoxText) {
  const struct {
    const char* box;
    const char* line;
  } cases[] = {
      {"-0.5", "-.5"},
      {" 1 2x", "12"},
      {"1D2", "100"},
      {"1e-5", ".00001"},
      {"12345678901234567", "1.23456789012346E+16"},
      {"1e999", "0"},
  };
  for (const auto& c : cases) {
    StyleSetValues v;
    v.txtLong[0] = QString::fromUtf8(c.box);
    v.txtForm[1] = QString::fromUtf8(c.box);
    v.txtAlign = QString::fromUtf8(c.box);
    const QStringList lines = writtenLines(v);
    EXPECT_EQ(lines[11], c.line) << c.box;
    EXPECT_EQ(lines[17], c.line) << c.box;
  }
}

TEST(StyleSetFileRead, DamagedFilesLoadWhatTheyCan) {
  using Edit = std::function<void(QStringList&)>;
  using Expect = std::function<void(StyleSetValues&)>;
  const struct {
    const char* name;
    Edit edit;
    int failed;
    Expect expect;  // applied to the values of kCustom
  } cases[] = {
      {"ends after line 12", [](QStringList& l) { l = l.mid(0, 12); }, 15,
       [](StyleSetValues& v) {
         const StyleSetValues fresh;
         const StyleSetValues custom = v;
         v = fresh;
         v.EditColors = custom.EditColors;
         v.cmbBold = custom.cmbBold;
         v.txtLong[0] = "62";
         v.vscLong[0] = 38;
       }},
      {"wrong kinds",
       [](QStringList& l) {
         l[1] = "1,2,x";
         l[8] = "abc";
         l[14] = "\"200\"";
         l[23] = "99";
       },
       4,
       [](StyleSetValues& v) {
         v.EditColors[0] = {0, 0, 0};
         v.cmbBold[1] = 1;
         v.txtForm[0] = "120";
         v.cmbDrawMode = 12;
       }},
      {"values the controls refuse",
       [](QStringList& l) {
         l[2] = "256,0,0";
         l[3] = "-1,0,0";
         l[7] = "0";
         l[11] = "150";
         l[16] = "3";
         l[17] = "abc";
         l[20] = "\"200\"";
         l[21] = "-1";
         l[5] = "40000,1,1";
       },
       9,
       [](StyleSetValues& v) {
         v.EditColors[1] = {0, 0, 0};
         v.EditColors[2] = {0, 0, 0};
         v.EditColors[4] = {0, 0, 0};
         v.cmbBold[0] = 1;
         v.txtLong[0] = "150";
         v.vscLong[0] = 40;
         v.chkDC = 1;
         v.txtAlign = "abc";
         v.vscAlign = 30;
         v.txtFS = "200";
         v.vscFS = 128;
         v.chkFont[0] = 0;
       }},
      {"LF line ends, blanks, radix and signs",
       [](QStringList& l) {
         l[1] = "  &HA , &O24 ,+30  ";
         l[11] = "6.25e1";
         l[17] = " 72.5 ";
         l = QStringList{l.join("\n")};
       },
       0, [](StyleSetValues&) {}},
  };
  for (const auto& c : cases) {
    QStringList lines = kCustom;
    c.edit(lines);
    StyleSetValues v;
    const StyleSetRead r = readStyleSetFile((lines.join("\r\n")).toUtf8(), v);
    StyleSetValues expected = customValues();
    c.expect(expected);
    EXPECT_TRUE(r.accepted) << c.name;
    EXPECT_EQ(r.failedFields, c.failed) << c.name;
    EXPECT_EQ(v, expected) << c.name;
  }
}

TEST(StyleSetFileRead, ForeignOrOversizedFilesChangeNothing) {
  QByteArray big = crlf(kCustom);
  big.append(QByteArray(kStyleSetMaxBytes, ' '));
  const QByteArray cases[] = {
      {},
      "KWEMO StyleSet File 2\r\n1,2,3\r\n",
      "\"KWEMO StyleSet\",File\r\n",
      big,
  };
  for (const QByteArray& bytes : cases) {
    StyleSetValues v = customValues();
    const StyleSetRead r = readStyleSetFile(bytes, v);
    EXPECT_FALSE(r.accepted) << bytes.left(40).toStdString();
    EXPECT_EQ(v, customValues());
  }
  // A byte-order mark from an editor is not part of the header.
  StyleSetValues v;
  EXPECT_TRUE(readStyleSetFile("\xEF\xBB\xBF" + crlf(kCustom), v).accepted);
  EXPECT_EQ(v, customValues());
}

TEST(StyleSetFileRead, ShiftJisFilesAreDecoded) {
  QStringList lines = kCustom;
  lines[19] = "\"@FONT@\"";
  lines[18] = "\"@FMT@\"";
  QByteArray bytes = crlf(lines);
  // "ＭＳ Ｐゴシック" and "h時nn分" in code page 932.
  bytes.replace("@FONT@", "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
  bytes.replace("@FMT@", "h\x8e\x9enn\x95\xaa\\s");
  StyleSetValues v;
  EXPECT_EQ(readStyleSetFile(bytes, v).failedFields, 0);
  EXPECT_EQ(v.cmbFonts, QStringLiteral("ＭＳ Ｐゴシック"));
  EXPECT_EQ(v.txtDF, QStringLiteral("h時nn分\\s"));
  // Neither UTF-8 nor code page 932: the broken byte becomes U+FFFD, the rest still reads.
  EXPECT_EQ(decodeStyleSetText("a\x80z\xff"), QStringLiteral("a\uFFFDz\uFFFD"));
}

TEST(StyleSetFileStrings, EveryTextReadsBackAsWritten) {
  // Plain texts are written as they are; the others in an escaped form.
  const std::pair<QString, bool> cases[] = {{"a,b", true},
                                            {"%22", true},
                                            {"back\\slash", true},
                                            {"say \"hi\"", false},
                                            {"cr\rlf\r\n", false},
                                            {"a\"b,c %41 ", false},
                                            {QString("nul") + QChar(0) + "\"", false}};
  for (const auto& [s, plain] : cases) {
    SCOPED_TRACE(s.toStdString());
    StyleSetValues v;
    v.txtDF = v.cmbFonts = s;
    const QStringList lines = writtenLines(v);
    EXPECT_EQ(lines.size(), 27);
    if (plain) {
      EXPECT_EQ(lines[18], '"' + s + '"');
    }
    StyleSetValues back = customValues();
    EXPECT_EQ(readStyleSetFile(writeStyleSetFile(v), back).failedFields, 0);
    EXPECT_EQ(back, v);
  }
}

}  // namespace
}  // namespace kwemo
