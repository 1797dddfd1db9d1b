#pragma once

// Writes an enhanced metafile with libEMF, whose headers clash with Qt's: this header and its
// source stay free of Qt.

#include <vector>

namespace kwemo::fixtures {

// A 2 x 1 inch frame (5080 x 2540 hundredths of a millimetre, 192 x 96 pixels at 96 dpi): the left
// half white behind a red ellipse filling it, a blue rectangle inset in the right half, nothing
// else (transparent). Empty when libEMF fails.
std::vector<unsigned char> emfBytes();

// The same frame with "KW" written as glyph indices in black bold 40-unit Arial at (20, 20), over
// nothing else.
std::vector<unsigned char> emfTextBytes();

}  // namespace kwemo::fixtures
