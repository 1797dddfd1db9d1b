#pragma once

namespace kwemo {

// Maps the Windows face names the program uses ("ＭＳ Ｐゴシック", "ＭＳ ゴシック", "Arial
// Black"...) onto the installed look-alikes. Call once after the QGuiApplication exists.
void installFontSubstitutes();

}  // namespace kwemo
