#include "PictureFixtures.h"

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <vector>

namespace kwemo::fixtures {

namespace {

// Little-endian byte writer.
class Bytes {
 public:
  Bytes& u8(int v) {
    data_.append(static_cast<char>(v & 0xFF));
    return *this;
  }
  Bytes& u16(int v) { return u8(v).u8(v >> 8); }
  Bytes& u32(std::uint32_t v) {
    return u16(static_cast<int>(v & 0xFFFF)).u16(static_cast<int>(v >> 16));
  }
  Bytes& raw(const QByteArray& b) {
    data_.append(b);
    return *this;
  }
  int size() const { return static_cast<int>(data_.size()); }
  const QByteArray& data() const { return data_; }

 private:
  QByteArray data_;
};

// Palette index of the quadrant: 0 red, 1 green, 2 blue, 3 yellow.
int quadrantIndex(int x, int y, int width, int height) {
  return (y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1);
}

const QColor kQuadrants[4] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255),
                              QColor(255, 255, 0)};

QImage quadrantImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixelColor(x, y, quadrantColour(x, y, width, height));
  return image;
}

QByteArray saveWithQt(const QImage& image, const char* format) {
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return out;
}

// File header + BITMAPINFOHEADER + four-colour palette around already encoded pixel data.
QByteArray rleBitmap(int width, int height, int bitCount, int compression,
                     const QByteArray& pixels) {
  const int headerBytes = 14 + 40 + 4 * 4;
  Bytes b;
  b.u8('B').u8('M').u32(headerBytes + pixels.size()).u32(0).u32(headerBytes);
  b.u32(40).u32(width).u32(height).u16(1).u16(bitCount).u32(compression).u32(pixels.size());
  b.u32(3780).u32(3780).u32(4).u32(0);
  for (const QColor& c : kQuadrants) b.u8(c.blue()).u8(c.green()).u8(c.red()).u8(0);
  b.raw(pixels);
  return b.data();
}

}  // namespace

QColor quadrantColour(int x, int y, int width, int height) {
  return kQuadrants[quadrantIndex(x, y, width, height)];
}

QByteArray bmp(int width, int height) { return saveWithQt(quadrantImage(width, height), "bmp"); }

QByteArray jpeg(int width, int height) { return saveWithQt(quadrantImage(width, height), "jpeg"); }

QByteArray rle(int width, int height, int bits) {
  const int left = width / 2;
  const int right = width - left;  // >= 3 for an absolute run
  Bytes p;
  for (int y = height - 1; y >= 0; --y) {  // bottom-up
    const int l = quadrantIndex(0, y, width, height);
    const int r = quadrantIndex(width - 1, y, width, height);
    p.u8(left).u8(bits == 8 ? l : l << 4 | l);
    p.u8(0).u8(right);
    const int bytes = bits == 8 ? right : (right + 1) / 2;
    for (int i = 0; i < bytes; ++i) p.u8(bits == 8 ? r : r << 4 | r);
    if (bytes % 2) p.u8(0);  // absolute runs end on a word boundary
    p.u8(0).u8(0);           // end of line
  }
  p.u8(0).u8(1);  // end of bitmap
  return rleBitmap(width, height, bits, bits == 8 ? 1 : 2, p.data());
}

QByteArray gif(int width, int height) {
  // Minimum code size 7 gives 8-bit codes: every pixel is one literal byte, and a clear code
  // every 100 literals keeps the decoder's table from ever widening the codes.
  Bytes b;
  b.raw("GIF89a").u16(width).u16(height).u8(0xF6).u8(0).u8(0);
  for (int i = 0; i < 128; ++i) {
    const QColor c = i < 4 ? kQuadrants[i] : QColor(0, 0, 0);
    b.u8(c.red()).u8(c.green()).u8(c.blue());
  }
  b.u8(0x2C).u16(0).u16(0).u16(width).u16(height).u8(0);
  b.u8(7);
  QByteArray codes;
  int sinceClear = 0;
  codes.append(static_cast<char>(128));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (sinceClear == 100) {
        codes.append(static_cast<char>(128));
        sinceClear = 0;
      }
      codes.append(static_cast<char>(quadrantIndex(x, y, width, height)));
      ++sinceClear;
    }
  }
  codes.append(static_cast<char>(129));
  for (qsizetype at = 0; at < codes.size(); at += 255) {
    const QByteArray block = codes.mid(at, 255);
    b.u8(static_cast<int>(block.size())).raw(block);
  }
  b.u8(0).u8(0x3B);
  return b.data();
}

QByteArray icon(int width, int height, bool cursor) {
  const int maskStride = ((width + 31) / 32) * 4;
  const int pixelBytes = width * height * 4 + maskStride * height;
  Bytes b;
  b.u16(0).u16(cursor ? 2 : 1).u16(1);
  b.u8(width).u8(height).u8(0).u8(0);
  if (cursor)
    b.u16(width / 2).u16(height / 2);  // hot spot
  else
    b.u16(1).u16(32);  // planes, bits
  b.u32(40 + pixelBytes).u32(6 + 16);
  b.u32(40).u32(width).u32(height * 2).u16(1).u16(32).u32(0).u32(pixelBytes);
  b.u32(0).u32(0).u32(0).u32(0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const QColor c = quadrantColour(x, y, width, height);
      b.u8(c.blue()).u8(c.green()).u8(c.red()).u8(x == 0 ? 0 : 255);
    }
  }
  for (int y = height - 1; y >= 0; --y) {
    // AND mask: 1 = transparent, for the first column only (bit 7 of the first byte).
    b.u8(0x80);
    for (int i = 1; i < maskStride; ++i) b.u8(0);
  }
  return b.data();
}

namespace {

// Metafile records and the largest one's size in words, which the header states.
struct WmfRecords {
  Bytes bytes;
  int maxWords = 0;
  void add(int function, std::initializer_list<int> params, const QByteArray& tail = {}) {
    const int words = 3 + static_cast<int>(params.size()) + static_cast<int>(tail.size() / 2);
    maxWords = std::max(maxWords, words);
    bytes.u32(words).u16(function);
    for (int p : params) bytes.u16(p);
    bytes.raw(tail);
  }
  // The standard header, then the records and the EOF record.
  QByteArray file(int objects) {
    add(0x0000, {});
    Bytes b;
    b.u16(1).u16(9).u16(0x0300).u32(static_cast<std::uint32_t>(9 + bytes.size() / 2));
    b.u16(objects).u32(maxWords).u16(0);
    return b.raw(bytes.data()).data();
  }
};

QByteArray placeableHeader(int unitsWide, int unitsHigh, int unitsPerInch) {
  Bytes b;
  b.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(unitsWide).u16(unitsHigh).u16(unitsPerInch).u32(0);
  int checksum = 0;
  for (int i = 0; i < 20; i += 2)
    checksum ^=
        static_cast<unsigned char>(b.data()[i]) | static_cast<unsigned char>(b.data()[i + 1]) << 8;
  b.u16(checksum);
  return b.data();
}

}  // namespace

QByteArray bareWmf(int w, int h) {
  WmfRecords r;
  auto brush = [&](QColor c) {  // CREATEBRUSHINDIRECT: solid, COLORREF as two words, hatch
    r.add(0x02FC, {0, c.red() | c.green() << 8, c.blue(), 0});
  };
  r.add(0x0103, {8});              // SETMAPMODE MM_ANISOTROPIC
  r.add(0x020B, {0, 0});           // SETWINDOWORG y, x
  r.add(0x020C, {h, w});           // SETWINDOWEXT y, x
  r.add(0x02FA, {5, 0, 0, 0, 0});  // CREATEPENINDIRECT PS_NULL -> object 0
  r.add(0x012D, {0});              // SELECTOBJECT
  brush(QColor(255, 255, 255));    // object 1
  r.add(0x012D, {1});
  r.add(0x041B, {h, w / 2, 0, 0});  // RECTANGLE bottom, right, top, left: white left half
  brush(QColor(255, 0, 0));         // object 2
  r.add(0x012D, {2});
  r.add(0x0418, {h, w / 2, 0, 0});  // ELLIPSE: red, filling the left half's box
  brush(QColor(0, 0, 255));         // object 3
  r.add(0x012D, {3});
  r.add(0x041B, {h - h / 8, w - w / 8, h / 8, w / 2 + w / 8});  // blue, inset in the right half
  return r.file(4);
}

QByteArray placeableWmf(int unitsWide, int unitsHigh, int unitsPerInch) {
  return placeableHeader(unitsWide, unitsHigh, unitsPerInch) + bareWmf(unitsWide, unitsHigh);
}

QByteArray shapesWmf() {
  WmfRecords r;
  r.add(0x020B, {0, 0});
  r.add(0x020C, {100, 100});
  r.add(0x0102, {1});              // SETBKMODE transparent
  r.add(0x02FA, {5, 0, 0, 0, 0});  // null pen, object 0
  r.add(0x012D, {0});
  r.add(0x02FC, {0, 0xFF00, 0, 0});  // green brush (COLORREF 0x0000FF00), object 1
  r.add(0x012D, {1});
  // PIE: radial 2, radial 1, then the box, each point y first; radial 1 (100, 50) is three o'clock,
  // radial 2 (50, 0) twelve o'clock.
  r.add(0x081A, {0, 50, 50, 100, 100, 100, 0, 0});
  // CREATEFONTINDIRECT: height -30 (character height), width, escapement, orientation, weight 700,
  // italic/underline, strike-out/charset, precisions, quality/pitch, "Arial" (NUL-padded) -> 2.
  r.add(0x02FB, {0xFFE2, 0, 0, 0, 700, 0, 0, 0, 0, 'A' | 'r' << 8, 'i' | 'a' << 8, 'l'});
  r.add(0x012D, {2});
  r.add(0x0521, {2, 'K' | 'W' << 8, 60, 10});  // TEXTOUT count, "KW", y, x
  // STRETCHDIB of a 2 x 2 24-bit bitmap (rows bottom-up: blue yellow, red green) onto
  // (70, 60)-(100, 90): SRCCOPY, RGB colours, source height, width, y, x, destination h, w, y, x.
  Bytes dib;
  dib.u32(40).u32(2).u32(2).u16(1).u16(24).u32(0).u32(16).u32(0).u32(0).u32(0).u32(0);
  dib.u8(255).u8(0).u8(0).u8(0).u8(255).u8(255).u16(0);  // blue, yellow (B, G, R)
  dib.u8(0).u8(0).u8(255).u8(0).u8(255).u8(0).u16(0);    // red, green
  r.add(0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, 30, 30, 60, 70}, dib.data());
  return placeableHeader(100, 100, 96) + r.file(3);
}

QByteArray hugeTextBoxWmf(int records) {
  WmfRecords r;
  r.add(0x0103, {8});              // SETMAPMODE MM_ANISOTROPIC
  r.add(0x020B, {-14000, 14300});  // SETWINDOWORG y, x: the text starts far down left
  r.add(0x020C, {1, 1});           // SETWINDOWEXT: one unit is the whole picture
  r.add(0x0102, {2});              // SETBKMODE OPAQUE
  r.add(0x0201, {0xFF, 0});        // SETBKCOLOR red
  const int escapement = 450;      // tenths of a degree
  r.add(0x02FB, {-500 & 0xFFFF, 0, escapement, escapement, 400, 0, 0, 0, 0, 'A' | 'r' << 8,
                 'i' | 'a' << 8, 'l'});
  r.add(0x012D, {0});
  const QByteArray text = QByteArray(100, 'W') + QByteArray(4, 0);  // then y 0, x 0
  for (int i = 0; i < records; ++i) r.add(0x0521, {100}, text);     // TEXTOUT
  return placeableHeader(100, 100, 96) + r.file(1);
}

QByteArray hugePolygonEmf(int copies) {
  Bytes body;
  body.u32(39).u32(24).u32(1).u32(0).u32(0x0000FF).u32(0);  // CREATEBRUSHINDIRECT 1: solid red
  body.u32(37).u32(12).u32(1);                              // SELECTOBJECT 1
  const int points[][2] = {
      {-1400000, 1400000}, {1900000, -1900000}, {1950000, -1890000}, {-1380000, 1440000}};
  for (int i = 0; i < copies; ++i) {
    body.u32(3).u32(8 + 20 + 4 * 8).u32(0).u32(0).u32(100).u32(100).u32(4);  // POLYGON
    for (const auto& p : points)
      body.u32(static_cast<std::uint32_t>(p[0])).u32(static_cast<std::uint32_t>(p[1]));
  }
  body.u32(14).u32(20).u32(0).u32(16).u32(20);  // EOF
  Bytes b;
  b.u32(1).u32(88).u32(0).u32(0).u32(100).u32(100);      // EMR_HEADER, bounds
  b.u32(0).u32(0).u32(2646).u32(2646);                   // frame: 26.46 mm, 100 pixels
  b.u32(0x464D4520).u32(0x10000).u32(88 + body.size());  // " EMF", version, bytes
  b.u32(3 + copies).u16(2).u16(0).u32(0).u32(0).u32(0);  // records, handles
  b.u32(1920).u32(1080).u32(508).u32(286);               // reference device
  return b.raw(body.data()).data();
}

}  // namespace kwemo::fixtures
