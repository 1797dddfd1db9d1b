#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "oldruntime/Conversions.h"

namespace kwemo {

namespace {

constexpr std::nullopt_t kFails = std::nullopt;
using Cases = std::initializer_list<std::pair<const char16_t*, std::optional<double>>>;

// Runs one conversion over a table; a number result is compared as double (floats exactly).
template <typename Convert>
void expectConversions(const char* name, Convert convert, Cases cases) {
  for (const auto& [text, want] : cases) {
    const auto got = convert(QStringView(text));
    const std::optional<double> asDouble =
        got ? std::optional<double>(static_cast<double>(*got)) : std::nullopt;
    EXPECT_EQ(asDouble, want) << name << "(" << QString::fromUtf16(text).toStdString() << ")";
  }
}

}  // namespace

TEST(Conversions, AwkwardInputsRoundHalfToEvenAndFailWhereTheOldRuntimeFailed) {
  const Cases cint = {{u"2.5", 2},          {u"3.5", 4},
                      {u"-2.5", -2},        {u"0.5", 0},
                      {u"-0.5", 0},         {u"1e3", 1000},
                      {u"1.5E1", 15},       {u"+21", 21},
                      {u"-1", -1},          {u"0", 0},
                      {u".5", 0},           {u"5.", 5},
                      {u"32767.49", 32767}, {u"-32768.5", -32768},
                      {u"32767.5", kFails}, {u"-32768.51", kFails},
                      {u"40000", kFails},   {u"1e400", kFails},
                      {u"", kFails},        {u"1 2", kFails},
                      {u"\t", kFails},      {u"abc", kFails},
                      {u"12abc", kFails},   {u"TRUE", kFails},
                      {u"1e", kFails},      {u".", kFails},
                      {u"&H10", kFails},    {u"1,234", kFails},
                      {u"(12)", kFails},    {u"12-", kFails},
                      {u"inf", kFails},     {u"１２", kFails}};
  const Cases cbool = {{u"TRUE", 1},      {u"tRuE", 1},        {u"False", 0},      {u"0", 0},
                       {u"0.0", 0},       {u"-1", 1},          {u"0.1", 1},        {u"2", 1},
                       {u"+1", 1},        {u"1e3", 1},         {u"", kFails},      {u"abc", kFails},
                       {u"Yes", kFails},  {u"#TRUE#", kFails}, {u" True", kFails}, {u"1 0", kFails},
                       {u"Truex", kFails}};
  const Cases csng = {{u"62.5", 62.5},    {u"70", 70},      {u"-1E-2", -0.01f},
                      {u"0.1", 0.1f},     {u"1e-50", 0},    {u"9 5", kFails},
                      {u"1e39", kFails},  {u"", kFails},    {u"abc", kFails},
                      {u"1.2.3", kFails}, {u"3,5", kFails}, {u"Infinity", kFails}};
  expectConversions(
      "CInt", [](QStringView s) { return CInt(s); }, cint);
  expectConversions(
      "CBool", [](QStringView s) { return CBool(s); }, cbool);
  expectConversions(
      "CSng", [](QStringView s) { return CSng(s); }, csng);
  expectConversions("CDbl", [](QStringView s) { return CDbl(s); },
                    {{u"0.1", 0.1}, {u"1e39", 1e39}, {u"1e400", kFails}});
}

TEST(Conversions, BlanksAroundANumberAreAcceptedButNotInsideIt) {
  // Space, tab and the ideographic space, before or after: what a user leaves in a box.
  const Cases blanks = {{u"12 ", 12},
                        {u" 12", 12},
                        {u"\t7\t", 7},
                        {u"\u3000"
                         u"8",
                         8},
                        {u"8\u3000\u3000", 8},
                        {u" \t\u3000-2.5e1 ", -25},
                        {u"1 2", kFails},
                        {u"- 5", kFails},
                        {u"1 .5", kFails},
                        {u"1e 3", kFails},
                        {u"12 abc", kFails},
                        {u" ", kFails},
                        {u"\u3000", kFails},
                        {u" 1,234 ", kFails},
                        {u"\n12", kFails},
                        {u"12\r", kFails},
                        {u"\u00a0"
                         u"12",
                         kFails}};
  expectConversions(
      "CDbl", [](QStringView s) { return CDbl(s); }, blanks);
  expectConversions(
      "CSng", [](QStringView s) { return CSng(s); }, blanks);
  expectConversions(
      "CInt", [](QStringView s) { return CInt(s); }, blanks);
  EXPECT_EQ(CSng(u" 62.5\u3000"), 62.5f);
  EXPECT_EQ(CBool(u" 0 "), false);
}

TEST(Conversions, ValTakesTheLeadingNumberAndNeverFails) {
  struct Case {
    const char16_t* text;
    double expected;
  };
  const Case cases[] = {{u"", 0},           {u"abc", 0},   {u"  -3.5abc", -3.5}, {u"24 and 57", 24},
                        {u" 2 45 7", 2457}, {u"- 5", -5},  {u"1.2.3", 1.2},      {u"1D3", 1000},
                        {u"12e-", 12},      {u"$12", 0},   {u"1,2", 1},          {u"+.5", 0.5},
                        {u"e5", 0},         {u"1e-400", 0}};
  for (const auto& c : cases)
    EXPECT_EQ(Val(QStringView(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
}

TEST(Conversions, TextFormsMatchTheOldRuntime) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {{62.5f, "62.5"},         {-62.5f, "-62.5"},          {0.1f, "0.1"},
                        {1e7f, "1E+07"},         {12345678, "1.234568E+07"}, {9999999, "9999999"},
                        {1e-5f, "0.00001"},      {1e-7f, "1E-07"},           {5e-6f, "0.000005"},
                        {1.0f / 3, "0.3333333"}, {654322.25f, "654322.3"},   {-0.0f, "0"},
                        {1.25e-5f, "1.25E-05"},  {3.4e38f, "3.4E+38"}};
  for (const auto& c : cases) EXPECT_EQ(SingleText(c.value).toStdString(), c.text) << c.value;
  EXPECT_EQ(IntText(-1), "-1");
  EXPECT_EQ(BoolText(true), "True");
  EXPECT_EQ(BoolText(false), "False");
  // What the single text writes, the single conversion reads back unchanged (7 digits suffice).
  for (float v : {62.5f, 0.1f, 1.234568e7f, 33.33333f, 1e-7f, 14400.0f})
    EXPECT_EQ(CSng(SingleText(v)).value(), v) << v;
}

}  // namespace kwemo
