#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "oldruntime/Conversions.h"
#include "oldruntime/Rounding.h"

namespace kwemo {
namespace {

constexpr std::nullopt_t kFails = std::nullopt;
using Cases = std::initializer_list<std::pair<const char16_t*, std::optional<double>>>;

template <typename Convert>
void expectConversions(const char* name, Convert convert, Cases cases) {
  for (const auto& [text, want] : cases) {
    const auto got = convert(QStringView(text));
    EXPECT_EQ(got ? std::optional<double>(*got) : std::nullopt, want)
        << name << "(" << QString::fromUtf16(text).toStdString() << ")";
  }
}

// Blanks (space, tab, ideographic space) around a number are what a user leaves in a box.
TEST(Conversions, RoundHalfToEvenAndFailWhereTheOldRuntimeFailed) {
  // clang-format off
  expectConversions("CInt", [](QStringView s) { return CInt(s); },
      {{u"2.5", 2}, {u"3.5", 4}, {u"-2.5", -2}, {u"-32768.5", -32768}, {u"32767.5", kFails},
       {u"1e400", kFails}, {u"", kFails}, {u"12abc", kFails}, {u"&H10", kFails},
       {u"1,234", kFails}, {u"１２", kFails}, {u" \t\u3000-2.5e1 ", -25}, {u"1 2", kFails},
       {u"\n12", kFails}, {u"\u00a012", kFails}});
  expectConversions("CBool", [](QStringView s) { return CBool(s); },
      {{u"tRuE", 1}, {u"0.0", 0}, {u"0.1", 1}, {u"Yes", kFails}, {u" True", kFails}});
  expectConversions("CSng", [](QStringView s) { return CSng(s); },
      {{u"-1E-2", -0.01f}, {u"1e-50", 0}, {u"1e39", kFails}, {u"3,5", kFails},
       {u"Infinity", kFails}});
  expectConversions("CDbl", [](QStringView s) { return CDbl(s); },
      {{u"0.1", 0.1}, {u"1e39", 1e39}, {u"1e400", kFails}});
  // clang-format on
  const std::pair<const char16_t*, double> vals[] = {{u"  -3.5abc", -3.5}, {u" 2 45 7", 2457},
                                                     {u"- 5", -5},         {u"1D3", 1000},
                                                     {u"12e-", 12},        {u"$12", 0}};
  for (const auto& [text, want] : vals) EXPECT_EQ(Val(QStringView(text)), want);
}

TEST(Conversions, TextFormsMatchTheOldRuntime) {
  const std::pair<float, const char*> cases[] = {{1e7f, "1E+07"},         {9999999, "9999999"},
                                                 {1e-5f, "0.00001"},      {1e-7f, "1E-07"},
                                                 {1.0f / 3, "0.3333333"}, {-0.0f, "0"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(SingleText(value).toStdString(), text) << value;
  EXPECT_EQ(BoolText(true), "True");
  // What the single text writes, the single conversion reads back unchanged (7 digits suffice).
  for (float v : {0.1f, 1.234568e7f, 33.33333f}) EXPECT_EQ(CSng(SingleText(v)).value(), v);
}

// Values that must not fail (pixel sizes, coordinates) saturate instead.
TEST(Rounding, ThirtyTwoBitClamps) {
  EXPECT_EQ(toInt32Clamped(32767.5), 32768);
  EXPECT_EQ(toInt32Clamped(2147483647.5), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(toInt32Clamped(-std::numeric_limits<double>::infinity()),
            std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(toInt32Clamped(std::nan("")), 0);
}

}  // namespace
}  // namespace kwemo
