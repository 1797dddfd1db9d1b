#pragma once

// The settings file as the shut-down wrote it before the keys were driven by one table; any change
// in its shape (order, spelling, text forms) breaks the files users already have.
namespace kwemo {
inline const char* const kFirstRunFile =
    R"ini(; KWEMO settings (UTF-8). Escapes in values: \\ \n \r \t, \s for a space at either end, \xHH, \uXXXX.

[Setting]
hLong0=60
hLong1=80
hLong2=95
HideSecond=False
DigitalClock=1
FontSize=8
Format=m/d h:nn
FontName=ＭＳ Ｐゴシック
FontBold=False
FontItalic=False
TextTop=70
Memori=False
mPset=False
nHari=False
HourLine=2
MinuteLine=2
SecondLine=1
BackLine=1
RgnMode=False
Runed=True
BackBMP=

[Position]
Left=0
Top=0
Width=0
Height=0
Always On Top=False

[Color]
Hour_R=0
Hour_G=0
Hour_B=0
Moji_R=0
Moji_G=0
Moji_B=0
Minute_R=0
Minute_G=0
Minute_B=0
Second_R=0
Second_G=0
Second_B=0
BG_R=255
BG_G=255
BG_B=255
Circle_R=0
Circle_G=0
Circle_B=0
DrawMode=13
)ini";
}  // namespace kwemo
