#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <tuple>
#include <vector>

#include "QStringPrinter.h"
#include "settings/model/SettingValues.h"

namespace kwemo {
namespace {

// Each box the clock cannot use is refused, the upper one first; the digital-text boxes only
// while they can be edited.
TEST(SettingValues, RefusesWhatTheClockCannotUse) {
  using F = SettingBox;
  const struct {
    std::function<void(StyleSetValues&)> edit;
    bool editable;
    std::optional<SettingBox> refused;
  } cases[] = {
      {[](StyleSetValues&) {}, true, std::nullopt},
      {[](StyleSetValues& v) { v.txtForm[0] = "abc"; }, true, F::Width},
      {[](StyleSetValues& v) { v.txtForm[1] = "15"; }, true, F::Height},
      {[](StyleSetValues& v) { v.txtForm[0] = "8193"; }, true, F::Width},
      {[](StyleSetValues& v) { v.txtForm[0] = " 8192\t"; }, true, std::nullopt},
      {[](StyleSetValues& v) { v.txtLong[1] = "8o"; }, true, F::MinuteLength},
      {[](StyleSetValues& v) { v.txtLong[2] = "1e39"; }, true, F::SecondLength},
      {[](StyleSetValues& v) { v.txtFS = "0"; }, true, F::FontSize},
      {[](StyleSetValues& v) { v.txtFS = "1 2"; }, true, F::FontSize},
      {[](StyleSetValues& v) { v.txtFS = "501"; }, true, F::FontSize},
      {[](StyleSetValues& v) { v.txtAlign = "top"; }, true, F::TextTop},
      {[](StyleSetValues& v) { v.txtAlign = "1e40"; }, true, F::TextTop},
      {[](StyleSetValues& v) { v.txtFS = "0", v.txtAlign = "x"; }, false, std::nullopt},
      {[](StyleSetValues& v) { v.txtAlign = "x", v.txtForm[1] = "y"; }, true, F::Height},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    SettingValues v;
    c.edit(v.look);
    const std::optional<SettingRefusal> r = firstRefusal(v, c.editable);
    EXPECT_EQ(r ? std::optional(r->field) : std::nullopt, c.refused);
    EXPECT_TRUE(!r || !r->message.isEmpty());
  }
}

// A record shown and written back is the same record; the bars sit where the boxes say, or
// nowhere when no 16-bit position says it.
TEST(SettingValues, RecordToValuesAndBack) {
  ClockSettings s;
  s.DigitalClock = 1;
  s.FontSize = 12;
  s.Format = "h:nn";
  s.FontName = "Serif";
  s.FontItalic = s.mPset = s.nHari = true;
  s.TextTop = 1e30f;
  s.hLong = {62.5f, -40, 95};
  s.Hour_R = 7;
  s.Minute_G = s.Second_B = 8;
  s.BG_R = s.Moji_G = 9;
  s.Circle_B = 300;
  s.HourLine = 9;
  s.DrawMode = 4;
  s.BackBMP = "a.png";
  s.updateColors();
  const SettingValues v = settingValuesOf(s, {200, 150});
  EXPECT_EQ(std::tuple(v.look.txtForm[0] + v.look.txtForm[1] + "|" + v.look.txtLong[0],
                       v.look.vscLong, v.look.vscFS, v.look.vscAlign, v.look.cmbBold[0]),
            std::tuple("200150|62.5", std::array{38, 140, 5}, 124, INT_MIN, 8));
  ClockSettings back;
  writeRecord(v, back);
  EXPECT_EQ(back, s);
  // Greyed digital text is kept; a font size or text position that cannot be used while it is off
  // leaves the record's own; the client size rounds halves to even.
  SettingValues odd = v;
  odd.look.txtFS = "501";
  odd.look.txtAlign = "x";
  odd.look.txtForm = {"200.5", "201.5"};
  odd.look.chkDC = 2;
  odd.look.cmbBold[3] = 4;
  writeRecord(odd, back);
  EXPECT_EQ(std::tuple(back.FontSize, back.TextTop, back.DigitalClock, back.BackLine),
            std::tuple(12, 1e30f, 2, 5));
  EXPECT_EQ(clientSizeOf(odd), QSize(200, 202));
}

// What the preview gets: no selection and text that is no number are empty, greyed checks off.
TEST(SettingValues, PreviewInputsFollowTheValues) {
  SettingValues v;
  v.look.cmbBold = {-1, 4, 0, -1};
  v.look.cmbDrawMode = -1;
  v.look.txtLong[2] = "x";
  v.look.txtFS = "9.5";
  v.look.chkDC = v.look.chkMemori = 2;
  v.chkmline = 1;
  const PreviewInputs in = previewInputsOf(v);
  EXPECT_EQ(
      std::tuple(in.drawMode, in.handWidth, in.markWidth, in.handLength, in.fontSize),
      std::tuple(0, std::array<std::optional<int>, 3>{std::nullopt, 5, 1}, std::optional<int>(),
                 std::array<std::optional<double>, 3>{60, 80, {}}, std::optional<float>(9.5f)));
  EXPECT_EQ(std::vector({in.digitalText, in.tickMarks, in.minuteDots, in.secondHand}),
            std::vector({false, false, true, true}));
}

}  // namespace
}  // namespace kwemo
