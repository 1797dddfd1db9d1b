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

// Blanks (space, tab, ideographic space) around a number are what a user leaves in a box.
TEST(Conversions, RoundHalfToEvenAndFailWhereTheOldRuntimeFailed) {
  // clang-format off
  expectConversions("CInt", [](QStringView s) { return CInt(s); },
      {{u"2.5", 2}, {u"3.5", 4}, {u"-2.5", -2}, {u"-0.5", 0}, {u"1.5E1", 15}, {u".5", 0},
       {u"32767.49", 32767}, {u"-32768.5", -32768}, {u"32767.5", kFails}, {u"-32768.51", kFails},
       {u"1e400", kFails}, {u"", kFails}, {u"12abc", kFails}, {u"TRUE", kFails}, {u"&H10", kFails},
       {u"1,234", kFails}, {u"１２", kFails}, {u" \t\u3000-2.5e1 ", -25}, {u"8\u3000", 8},
       {u"1 2", kFails}, {u"- 5", kFails}, {u"1e 3", kFails}, {u"\u3000", kFails},
       {u"\n12", kFails}, {u"\u00a012", kFails}});
  expectConversions("CBool", [](QStringView s) { return CBool(s); },
      {{u"tRuE", 1}, {u"False", 0}, {u"0.0", 0}, {u"-1", 1}, {u"0.1", 1}, {u"1e3", 1},
       {u" 0 ", 0}, {u"", kFails}, {u"Yes", kFails}, {u"#TRUE#", kFails}, {u" True", kFails},
       {u"Truex", kFails}});
  expectConversions("CSng", [](QStringView s) { return CSng(s); },
      {{u"62.5", 62.5}, {u"-1E-2", -0.01f}, {u"0.1", 0.1f}, {u"1e-50", 0}, {u" 62.5\u3000", 62.5},
       {u"1e39", kFails}, {u"1.2.3", kFails}, {u"3,5", kFails}, {u"Infinity", kFails}});
  expectConversions("CDbl", [](QStringView s) { return CDbl(s); },
      {{u"0.1", 0.1}, {u"1e39", 1e39}, {u"\t7\t", 7}, {u"1e400", kFails}, {u"12 abc", kFails}});
  // clang-format on
}

TEST(Conversions, ValTakesTheLeadingNumberAndNeverFails) {
  const std::pair<const char16_t*, double> cases[] = {
      {u"", 0},       {u"  -3.5abc", -3.5}, {u" 2 45 7", 2457}, {u"- 5", -5}, {u"1.2.3", 1.2},
      {u"1D3", 1000}, {u"12e-", 12},        {u"$12", 0},        {u"1,2", 1},  {u"1e-400", 0}};
  for (const auto& [text, want] : cases)
    EXPECT_EQ(Val(QStringView(text)), want) << QString::fromUtf16(text).toStdString();
}

TEST(Conversions, TextFormsMatchTheOldRuntime) {
  const std::pair<float, const char*> cases[] = {
      {-62.5f, "-62.5"},    {1e7f, "1E+07"},         {12345678, "1.234568E+07"},
      {9999999, "9999999"}, {1e-5f, "0.00001"},      {1e-7f, "1E-07"},
      {-0.0f, "0"},         {1.0f / 3, "0.3333333"}, {654322.25f, "654322.3"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(SingleText(value).toStdString(), text) << value;
  EXPECT_EQ(BoolText(true), "True");
  EXPECT_EQ(BoolText(false), "False");
  // What the single text writes, the single conversion reads back unchanged (7 digits suffice).
  for (float v : {0.1f, 1.234568e7f, 33.33333f, 1e-7f}) EXPECT_EQ(CSng(SingleText(v)).value(), v);
}

}  // namespace kwemo
