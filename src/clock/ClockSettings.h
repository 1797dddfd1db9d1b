#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "oldruntime/Rgb.h"

namespace kwemo {

// Everything the face looks like; one instance lives for the whole run and is shared by the
// clock window, the renderer and the settings dialog. Field names are the store's key names.
struct ClockSettings {
  std::int16_t DigitalClock = 0;  // 1 draws the digital text; any other value does not
  std::int16_t FontSize = 0;
  QString Format;
  QString FontName;
  bool FontBold = false;
  bool FontItalic = false;
  float TextTop = 0;  // centre of the text, percent of the surface height
  bool HideSecond = false;
  std::array<float, 3> hLong{};  // hour, minute, second hand, percent of the half-axes
  bool Memori = false;           // true hides marks, dots and the centre ring
  bool mPset = false;            // minute dots
  bool nHari = false;            // fan hands

  std::int16_t Moji_R = 0, Moji_G = 0, Moji_B = 0;
  std::int16_t Hour_R = 0, Hour_G = 0, Hour_B = 0;
  std::int16_t Minute_R = 0, Minute_G = 0, Minute_B = 0;
  std::int16_t Second_R = 0, Second_G = 0, Second_B = 0;
  std::int16_t BG_R = 0, BG_G = 0, BG_B = 0;
  std::int16_t Circle_R = 0, Circle_G = 0, Circle_B = 0;

  // Derived from the components above; whoever changes a component calls updateColors().
  Rgb MojiColor = 0, HourColor = 0, MinuteColor = 0, SecondColor = 0, CircleColor = 0;

  std::int16_t HourLine = 0, MinuteLine = 0, SecondLine = 0;
  std::int16_t BackLine = 0;
  std::int16_t DrawMode = 13;  // kept as stored; the renderer draws 1-16 only, others as 13
  QString BackBMP;

  void updateColors() {
    MojiColor = RGB(Moji_R, Moji_G, Moji_B);
    HourColor = RGB(Hour_R, Hour_G, Hour_B);
    MinuteColor = RGB(Minute_R, Minute_G, Minute_B);
    SecondColor = RGB(Second_R, Second_G, Second_B);
    CircleColor = RGB(Circle_R, Circle_G, Circle_B);
  }
  Rgb backgroundColor() const { return RGB(BG_R, BG_G, BG_B); }

  bool operator==(const ClockSettings&) const = default;
};

}  // namespace kwemo
