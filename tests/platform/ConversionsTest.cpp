#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/Conversions.h"

namespace kwemo {

namespace {
constexpr int kFails = std::numeric_limits<int>::min();
}

TEST(Conversions, CIntRoundsHalfToEvenAndFailsOutsideSixteenBits) {
  struct Case {
    const char16_t* text;
    int expected;
  };
  const Case cases[] = {
      {u"2.5", 2},
      {u"3.5", 4},
      {u"-2.5", -2},
      {u"9.5", 10},
      {u"8.5", 8},
      {u"0.5", 0},
      {u"-0.5", 0},
      {u"1.5", 2},
      {u"1e3", 1000},
      {u"1.5E1", 15},
      {u"+21", 21},
      {u" 12 ", kFails},
      {u"\t7", kFails},
      {u"-1", -1},
      {u"0", 0},
      {u".5", 0},
      {u"5.", 5},
      {u"32767", 32767},
      {u"32767.49", 32767},
      {u"-32768.5", -32768},
      {u"32767.5", kFails},
      {u"-32768.51", kFails},
      {u"40000", kFails},
      {u"1e400", kFails},
      {u"", kFails},
      {u" ", kFails},
      {u"abc", kFails},
      {u"12abc", kFails},
      {u"1 2", kFails},
      {u"True", kFails},
      {u"1e", kFails},
      {u".", kFails},
      {u"-", kFails},
      {u"&H10", kFails},
      {u"1,234", kFails},
      {u"(12)", kFails},
      {u"12-", kFails},
      {u"inf", kFails},
      {u"nan", kFails},
      {u"１２", kFails},
  };
  for (const auto& c : cases) {
    const auto got = CInt(QStringView(c.text));
    if (c.expected == kFails) {
      EXPECT_FALSE(got.has_value()) << QString::fromUtf16(c.text).toStdString();
    } else {
      ASSERT_TRUE(got.has_value()) << QString::fromUtf16(c.text).toStdString();
      EXPECT_EQ(*got, c.expected) << QString::fromUtf16(c.text).toStdString();
    }
  }
}

TEST(Conversions, CBoolTakesWordsInAnyCaseOrNumbers) {
  enum { F, T, Fails };
  struct Case {
    const char16_t* text;
    int expected;
  };
  const Case cases[] = {
      {u"True", T},      {u"TRUE", T},    {u"true", T},      {u"tRuE", T},   {u"False", F},
      {u"FALSE", F},     {u"0", F},       {u"0.0", F},       {u"-1", T},     {u"1", T},
      {u"0.1", T},       {u"2", T},       {u"+1", T},        {u"1e3", T},    {u"", Fails},
      {u" ", Fails},     {u"abc", Fails}, {u"Yes", Fails},   {u"On", Fails}, {u"#TRUE#", Fails},
      {u" True", Fails}, {u" 1 ", Fails}, {u"Truex", Fails},
  };
  for (const auto& c : cases) {
    const auto got = CBool(QStringView(c.text));
    if (c.expected == Fails) {
      EXPECT_FALSE(got.has_value()) << QString::fromUtf16(c.text).toStdString();
    } else {
      ASSERT_TRUE(got.has_value()) << QString::fromUtf16(c.text).toStdString();
      EXPECT_EQ(*got, c.expected == T) << QString::fromUtf16(c.text).toStdString();
    }
  }
}

TEST(Conversions, CSngAndCDblParseNumericTextOnly) {
  struct Case {
    const char16_t* text;
    bool ok;
    double expected;
  };
  const Case cases[] = {
      {u"62.5", true, 62.5}, {u"70", true, 70},    {u"-1E-2", true, -0.01f},
      {u" 95 ", false, 0},   {u"0.1", true, 0.1f}, {u"1e-50", true, 0},
      {u"1e39", false, 0},   {u"", false, 0},      {u"abc", false, 0},
      {u"1.2.3", false, 0},  {u"3,5", false, 0},   {u"Infinity", false, 0},
  };
  for (const auto& c : cases) {
    const auto got = CSng(QStringView(c.text));
    ASSERT_EQ(got.has_value(), c.ok) << QString::fromUtf16(c.text).toStdString();
    if (c.ok) {
      EXPECT_EQ(*got, static_cast<float>(c.expected));
    }
  }
  EXPECT_EQ(CDbl(u"0.1").value(), 0.1);
  EXPECT_EQ(CDbl(u"1e39").value(), 1e39);
  EXPECT_FALSE(CDbl(u"1e400").has_value());
}

TEST(Conversions, ValTakesTheLeadingNumberAndNeverFails) {
  struct Case {
    const char16_t* text;
    double expected;
  };
  const Case cases[] = {
      {u"", 0},           {u"abc", 0},        {u"1234", 1234}, {u"  -3.5abc", -3.5},
      {u"24 and 57", 24}, {u" 2 45 7", 2457}, {u"- 5", -5},    {u"1.2.3", 1.2},
      {u"1e3", 1000},     {u"1D3", 1000},     {u"12e", 12},    {u"12e-", 12},
      {u"$12", 0},        {u"1,2", 1},        {u"+.5", 0.5},   {u"1800.5twips", 1800.5},
      {u"-", 0},          {u".", 0},          {u"e5", 0},      {u"1e-400", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Val(QStringView(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

TEST(Conversions, TextFormsMatchTheOldRuntime) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {
      {70, "70"},
      {62.5f, "62.5"},
      {0.1f, "0.1"},
      {-62.5f, "-62.5"},
      {1e7f, "1E+07"},
      {12345678, "1.234568E+07"},
      {9999999, "9999999"},
      {1e-5f, "0.00001"},
      {1e-6f, "0.000001"},
      {1e-7f, "1E-07"},
      {5e-6f, "0.000005"},
      {1.0f / 3, "0.3333333"},
      {654322.25f, "654322.3"},
      {0.0f, "0"},
      {-0.0f, "0"},
      {1800, "1800"},
      {1.5e-5f, "0.000015"},
      {123456.7f, "123456.7"},
      {1e8f, "1E+08"},
      {0.0001f, "0.0001"},
      {1.25e-5f, "1.25E-05"},
      {3.4e38f, "3.4E+38"},
  };
  for (const auto& c : cases) EXPECT_EQ(SingleText(c.value).toStdString(), c.text) << c.value;
  EXPECT_EQ(IntText(13), "13");
  EXPECT_EQ(IntText(-1), "-1");
  EXPECT_EQ(BoolText(true), "True");
  EXPECT_EQ(BoolText(false), "False");
  // What the single text writes, the single conversion reads back unchanged (7 digits suffice).
  for (float v : {62.5f, 0.1f, 95.0f, 1.234568e7f, 33.33333f, 1e-7f, 14400.0f})
    EXPECT_EQ(CSng(SingleText(v)).value(), v) << v;
}

}  // namespace kwemo
