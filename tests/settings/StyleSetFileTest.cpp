#include <gtest/gtest.h>

#include <QStringList>
#include <functional>
#include <vector>

#include "StyleSetFixtures.h"

namespace kwemo {
namespace {

QByteArray crlf(const QStringList& lines) { return (lines.join("\r\n") + "\r\n").toUtf8(); }

QStringList writtenLines(const StyleSetValues& v) {
  const QString text = QString::fromUtf8(writeStyleSetFile(v));
  EXPECT_TRUE(text.endsWith("\r\n"));
  return text.chopped(2).split("\r\n");
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
      {"-0.5", "-.5"},    {" 1 2x", "12"}, {"1D2", "100"},
      {"1e-5", ".00001"}, {"1e999", "0"},  {"12345678901234567", "1.23456789012346E+16"}};
  for (const auto& [box, line] : cases) {
    StyleSetValues v;
    v.txtLong[0] = v.txtAlign = QString::fromUtf8(box);
    const QStringList lines = writtenLines(v);
    EXPECT_EQ(lines[11], line) << box;
    EXPECT_EQ(lines[17], line) << box;
  }
}

TEST(StyleSetFileRead, DamagedFilesLoadWhatTheyCan) {
  const struct {
    const char* name;
    std::vector<std::pair<int, const char*>> lines;  // replaced in kCustom
    int failed;
    std::function<void(StyleSetValues&)> expect;  // from customValues()
  } cases[] = {
      {"wrong kinds",
       {{1, "1,2,x"}, {8, "abc"}, {14, "\"200\""}, {23, "99"}},
       4,
       [](StyleSetValues& v) {
         v.EditColors[0] = {0, 0, 0};
         v.cmbBold[1] = 1;
         v.txtForm[0] = "120";
         v.cmbDrawMode = 12;
       }},
      {"values the controls refuse",
       {{2, "256,0,0"},
        {3, "-1,0,0"},
        {5, "40000,1,1"},
        {7, "0"},
        {11, "150"},
        {16, "3"},
        {17, "abc"},
        {20, "\"200\""},
        {21, "-1"}},
       9,
       [](StyleSetValues& v) {
         v.EditColors[1] = v.EditColors[2] = v.EditColors[4] = {0, 0, 0};
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
      {"blanks, radix and signs",
       {{1, "  &HA , &O24 ,+30  "}, {11, "6.25e1"}, {17, " 72.5 "}},
       0,
       [](StyleSetValues&) {}},
  };
  for (const auto& c : cases) {
    QStringList lines = kCustom;
    for (const auto& [n, text] : c.lines) lines[n] = QString::fromLatin1(text);
    // Line ends as an editor on any system leaves them.
    for (const char* end : {"\r\n", "\n"}) {
      StyleSetValues v;
      const StyleSetRead r = readStyleSetFile(lines.join(QString::fromLatin1(end)).toUtf8(), v);
      StyleSetValues expected = customValues();
      c.expect(expected);
      EXPECT_TRUE(r.accepted) << c.name;
      EXPECT_EQ(r.failedFields, c.failed) << c.name;
      EXPECT_EQ(v, expected) << c.name;
    }
  }
  // A file that ends early keeps the initial values from there on.
  StyleSetValues v;
  EXPECT_EQ(readStyleSetFile(crlf(kCustom.mid(0, 12)), v).failedFields, 15);
  StyleSetValues expected;
  expected.EditColors = customValues().EditColors;
  expected.cmbBold = customValues().cmbBold;
  expected.txtLong[0] = "62";
  expected.vscLong[0] = 38;
  EXPECT_EQ(v, expected);
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
  QStringList lines = kCustom;
  lines[18] = "\"@FMT@\"";
  lines[19] = "\"@FONT@\"";
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
    EXPECT_EQ(lines[18] == '"' + s + '"', plain);
    StyleSetValues back = customValues();
    EXPECT_EQ(readStyleSetFile(writeStyleSetFile(v), back).failedFields, 0);
    EXPECT_EQ(back, v);
  }
}

}  // namespace
}  // namespace kwemo
