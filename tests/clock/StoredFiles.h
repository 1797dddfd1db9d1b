#pragma once

// Settings files as the shut-down wrote them before the keys were driven by one table; any change
// in their shape (order, spelling, text forms) breaks the files users already have.
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
inline const char* const kOtherFile =
    R"ini(; KWEMO settings (UTF-8). Escapes in values: \\ \n \r \t, \s for a space at either end, \xHH, \uXXXX.

[Setting]
hLong0=33.33333
hLong1=0.1
hLong2=1.234568E+07
HideSecond=True
DigitalClock=1
FontSize=8
Format=yyyy/mm/dd (aaa) hh:nn:ss
FontName=ＭＳ Ｐゴシック
FontBold=True
FontItalic=False
TextTop=62.5
Memori=False
mPset=True
nHari=True
HourLine=3
MinuteLine=2
SecondLine=-1
BackLine=7
RgnMode=True
Runed=True
BackBMP=/home/user/back ground.bmp

[Position]
Left=1800
Top=2400.5
Width=1935
Height=2010
Always On Top=True

[Color]
Hour_R=52
Hour_G=65
Hour_B=78
Moji_R=13
Moji_G=26
Moji_B=39
Minute_R=91
Minute_G=104
Minute_B=117
Second_R=130
Second_G=143
Second_B=156
BG_R=169
BG_G=182
BG_B=195
Circle_R=208
Circle_G=221
Circle_B=234
DrawMode=99
)ini";
}  // namespace kwemo
