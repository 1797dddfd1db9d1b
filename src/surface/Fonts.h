#pragma once

#include <thread>

namespace kwemo {

// Starts fontconfig's set-up (its configuration and caches, several milliseconds) on a thread of
// its own, so that it overlaps the application's start instead of delaying the first text, which
// comes before the clock can show. Join the thread before the first font is looked at.
std::jthread startFontSetUp();

// Maps the Windows face names the program uses ("ＭＳ Ｐゴシック", "ＭＳ ゴシック", "Arial
// Black"...) onto the installed look-alikes. Call once after the QGuiApplication exists.
void installFontSubstitutes();

}  // namespace kwemo
