#include "settings/model/SettingValues.h"

#include <cmath>
#include <limits>

#include "oldruntime/Conversions.h"
#include "oldruntime/Rgb.h"

namespace kwemo {

namespace {

constexpr double kMinClientSide = 16;
constexpr double kMaxClientSide = 8192;
constexpr int kMinFontPoints = 1;
constexpr int kMaxFontPoints = 500;

Rgb colorOf(const ColorTriplet& c) { return RGB(c.red, c.green, c.blue); }

std::optional<std::int16_t> fontPoints(const QString& text) {
  const std::optional<std::int16_t> points = CInt(text);
  if (points && *points >= kMinFontPoints && *points <= kMaxFontPoints) return points;
  return std::nullopt;
}

std::optional<float> finiteSingle(const QString& text) {
  const std::optional<float> v = CSng(text);
  if (v && std::isfinite(*v)) return v;
  return std::nullopt;
}

// A width list's entries are the widths 1, 2, ...: no selection gives none.
std::optional<int> widthOf(int index) {
  return index >= 0 ? std::optional<int>(index + 1) : std::nullopt;
}

// A scroll bar's position for `value`, or one no bar has when it is outside 16 bits.
int barPosition(double value) {
  const std::optional<std::int16_t> v = toInt16(value);
  return v ? *v : std::numeric_limits<int>::min();
}

}  // namespace

SettingValues settingValuesOf(const ClockSettings& s, QSize clientSize) {
  SettingValues v;
  StyleSetValues& l = v.look;
  l.EditColors = {ColorTriplet{s.Hour_R, s.Hour_G, s.Hour_B},
                  ColorTriplet{s.Minute_R, s.Minute_G, s.Minute_B},
                  ColorTriplet{s.Second_R, s.Second_G, s.Second_B},
                  ColorTriplet{s.BG_R, s.BG_G, s.BG_B},
                  ColorTriplet{s.Circle_R, s.Circle_G, s.Circle_B},
                  ColorTriplet{s.Moji_R, s.Moji_G, s.Moji_B}};
  l.cmbBold = {s.HourLine - 1, s.MinuteLine - 1, s.SecondLine - 1, s.BackLine - 1};
  for (std::size_t i = 0; i < 3; ++i) {
    l.txtLong[i] = SingleText(s.hLong[i]);
    l.vscLong[i] = barPosition(roundHalfEven(100.0 - static_cast<double>(s.hLong[i])));
  }
  l.txtForm = {SingleText(static_cast<float>(clientSize.width())),
               SingleText(static_cast<float>(clientSize.height()))};
  l.chkDC = s.DigitalClock;
  l.txtAlign = SingleText(s.TextTop);
  l.vscAlign = barPosition(roundHalfEven(100.0 - static_cast<double>(s.TextTop)));
  l.txtDF = s.Format;
  l.cmbFonts = s.FontName;
  l.txtFS = IntText(s.FontSize);
  l.vscFS = barPosition(136.0 - s.FontSize);
  l.chkFont = {s.FontBold ? 1 : 0, s.FontItalic ? 1 : 0};
  l.cmbDrawMode = s.DrawMode - 1;
  l.chkMemori = s.Memori ? 1 : 0;
  l.chkSV = s.HideSecond ? 1 : 0;
  l.chkNhari = s.nHari ? 1 : 0;
  v.chkmline = s.mPset ? 1 : 0;
  v.txtBackFile = s.BackBMP;
  return v;
}

std::optional<SettingRefusal> firstRefusal(const SettingValues& v, bool digitalTextEditable) {
  const StyleSetValues& l = v.look;
  auto clientSide = [](const QString& text) {
    const std::optional<double> d = CDbl(text);
    return d && std::isfinite(*d) && *d >= kMinClientSide && *d <= kMaxClientSide;
  };
  const QString sizeMsg =
      QStringLiteral("フォームの幅と高さには 16 から 8192 までの数値を入力してください。");
  const QString longMsg = QStringLiteral("針の長さには数値を入力してください。");
  const std::pair<SettingBox, bool> checks[] = {
      {SettingBox::Width, clientSide(l.txtForm[0])},
      {SettingBox::Height, clientSide(l.txtForm[1])},
      {SettingBox::HourLength, finiteSingle(l.txtLong[0]).has_value()},
      {SettingBox::MinuteLength, finiteSingle(l.txtLong[1]).has_value()},
      {SettingBox::SecondLength, finiteSingle(l.txtLong[2]).has_value()},
      {SettingBox::FontSize, !digitalTextEditable || fontPoints(l.txtFS)},
      {SettingBox::TextTop, !digitalTextEditable || finiteSingle(l.txtAlign)},
  };
  for (const auto& [field, ok] : checks) {
    if (ok) continue;
    switch (field) {
      case SettingBox::Width:
      case SettingBox::Height:
        return SettingRefusal{field, sizeMsg};
      case SettingBox::FontSize:
        return SettingRefusal{
            field, QStringLiteral("フォントサイズには 1 から 500 までの数値を入力してください。")};
      case SettingBox::TextTop:
        return SettingRefusal{field, QStringLiteral("縦位置には数値を入力してください。")};
      default:
        return SettingRefusal{field, longMsg};
    }
  }
  return std::nullopt;
}

void writeRecord(const SettingValues& v, ClockSettings& s) {
  const StyleSetValues& l = v.look;
  s.DrawMode = static_cast<std::int16_t>(l.cmbDrawMode + 1);
  s.FontName = l.cmbFonts;
  if (const std::optional<float> top = finiteSingle(l.txtAlign)) s.TextTop = *top;

  auto put = [](const ColorTriplet& c, std::int16_t& r, std::int16_t& g, std::int16_t& b) {
    r = c.red;
    g = c.green;
    b = c.blue;
  };
  put(l.EditColors[0], s.Hour_R, s.Hour_G, s.Hour_B);
  put(l.EditColors[1], s.Minute_R, s.Minute_G, s.Minute_B);
  put(l.EditColors[2], s.Second_R, s.Second_G, s.Second_B);
  put(l.EditColors[3], s.BG_R, s.BG_G, s.BG_B);
  put(l.EditColors[4], s.Circle_R, s.Circle_G, s.Circle_B);
  put(l.EditColors[5], s.Moji_R, s.Moji_G, s.Moji_B);

  s.HideSecond = l.chkSV != 0;
  for (std::size_t i = 0; i < 3; ++i) s.hLong[i] = *CSng(l.txtLong[i]);

  s.HourLine = static_cast<std::int16_t>(l.cmbBold[0] + 1);
  s.MinuteLine = static_cast<std::int16_t>(l.cmbBold[1] + 1);
  s.SecondLine = static_cast<std::int16_t>(l.cmbBold[2] + 1);
  s.BackLine = static_cast<std::int16_t>(l.cmbBold[3] + 1);

  s.HourColor = colorOf(l.EditColors[0]);
  s.MinuteColor = colorOf(l.EditColors[1]);
  s.SecondColor = colorOf(l.EditColors[2]);
  s.CircleColor = colorOf(l.EditColors[4]);
  s.MojiColor = colorOf(l.EditColors[5]);

  s.nHari = l.chkNhari != 0;
  s.mPset = v.chkmline != 0;
  s.DigitalClock = static_cast<std::int16_t>(l.chkDC);

  if (const std::optional<std::int16_t> points = fontPoints(l.txtFS)) s.FontSize = *points;
  s.Format = l.txtDF;
  s.FontBold = l.chkFont[0] != 0;
  s.FontItalic = l.chkFont[1] != 0;
  s.Memori = l.chkMemori != 0;
  s.BackBMP = v.txtBackFile;
}

QSize clientSizeOf(const SettingValues& v) {
  // The inner area becomes exactly the entered size.
  return {static_cast<int>(roundHalfEven(*CDbl(v.look.txtForm[0]))),
          static_cast<int>(roundHalfEven(*CDbl(v.look.txtForm[1])))};
}

PreviewInputs previewInputsOf(const SettingValues& v) {
  const StyleSetValues& l = v.look;
  PreviewInputs in;
  in.drawMode = l.cmbDrawMode + 1;
  in.backColor = colorOf(l.EditColors[3]);
  in.circleColor = colorOf(l.EditColors[4]);
  in.mojiColor = colorOf(l.EditColors[5]);
  for (std::size_t i = 0; i < 3; ++i) {
    in.handColor[i] = colorOf(l.EditColors[i]);
    in.handWidth[i] = widthOf(l.cmbBold[i]);
    in.handLength[i] = CDbl(l.txtLong[i]);
  }
  in.markWidth = widthOf(l.cmbBold[3]);
  in.fontSize = CSng(l.txtFS);
  in.fontName = l.cmbFonts;
  in.fontBold = l.chkFont[0] != 0;
  in.fontItalic = l.chkFont[1] != 0;
  in.textTop = Val(l.txtAlign);
  in.format = l.txtDF;
  in.tickMarks = l.chkMemori == 0;
  in.minuteDots = v.chkmline == 1;
  in.digitalText = l.chkDC == 1;
  in.fanHands = l.chkNhari == 1;
  in.secondHand = l.chkSV == 0;
  return in;
}

}  // namespace kwemo
