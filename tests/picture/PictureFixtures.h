#pragma once

// Picture files made by the tests themselves, byte by byte or with Qt's own writers. Every raster
// fixture shows the same four quadrants (see quadrantColour) so a flipped or shifted decode shows.

#include <QByteArray>
#include <QColor>

namespace kwemo::fixtures {

// Top left red, top right green, bottom left blue, bottom right yellow.
QColor quadrantColour(int x, int y, int width, int height);

QByteArray bmp(int width, int height);   // Qt's writer, 24 bits
QByteArray jpeg(int width, int height);  // Qt's writer
// RLE8 or RLE4 (bits 8 or 4), width <= 510: an encoded run left, an absolute run right.
QByteArray rle(int width, int height, int bits);
QByteArray gif(int width, int height);  // literal-only LZW codes
// 32-bit icon or cursor (idType 1 or 2); the pixel column x == 0 is fully transparent.
QByteArray icon(int width, int height, bool cursor);
// Placeable metafile of unitsWide x unitsHigh units at unitsPerInch: a red ellipse over white in
// the left half, a blue rectangle inset in the right half, nothing else.
QByteArray placeableWmf(int unitsWide, int unitsHigh, int unitsPerInch);
// The same drawing without the placeable header, in MM_TEXT units (one unit a pixel).
QByteArray bareWmf(int unitsWide, int unitsHigh);

// Placeable, 100 x 100 units at 96 units an inch: a green pie drawn counter-clockwise from three
// o'clock to twelve o'clock (the top right quarter), and "KW" in black bold 30-unit Arial with its
// top left corner at (10, 60), and a 2 x 2 bitmap (red green / blue yellow) stretched onto
// (70, 60)-(100, 90), on a transparent ground.
QByteArray shapesWmf();

// Placeable, 100 x 100 pixels, whose window of 1 x 1 units makes every unit 100 pixels: 'records'
// times a 100-letter TEXTOUT in a font 500 units high, turned by 45 degrees, on an opaque red box
// about 4.7 million pixels long whose middle covers the whole picture (the letters stay far from
// it). 18 bytes more per record.
QByteArray hugeTextBoxWmf(int records);

// An enhanced metafile of 100 x 100 pixels: 'copies' times a red polygon, a band some 4 million
// pixels long along the line x + y = 0, covering the picture but for its top left corner.
QByteArray hugePolygonEmf(int copies);

}  // namespace kwemo::fixtures
