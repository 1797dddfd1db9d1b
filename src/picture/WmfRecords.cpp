#include "picture/WmfRecords.h"

#include <algorithm>

namespace kwemo {

namespace {

constexpr int kPlaceableBytes = 22;
constexpr int kHeaderBytes = 18;
// libwmf reads record parameters from one buffer sized by the header's largest record; indices it
// takes from 16-bit fields can point up to 2 x 65535 words past a record's start. Sizing the buffer
// for that keeps such reads inside it, whatever a damaged record claims.
constexpr quint32 kParameterSlackWords = 2 * 65536 + 64;
// Far beyond any drawing a person makes; bounds the work a file of tiny records can ask for.
constexpr int kMaxMetafileRecords = 1'000'000;

quint16 u16At(const QByteArray& d, qsizetype at) {
  return static_cast<quint16>(static_cast<unsigned char>(d[at]) |
                              static_cast<unsigned char>(d[at + 1]) << 8);
}
qint16 s16At(const QByteArray& d, qsizetype at) { return static_cast<qint16>(u16At(d, at)); }
quint32 u32At(const QByteArray& d, qsizetype at) {
  return u16At(d, at) | static_cast<quint32>(u16At(d, at + 2)) << 16;
}
void putU16(QByteArray& d, int v) {
  d.append(static_cast<char>(v & 0xFF));
  d.append(static_cast<char>((v >> 8) & 0xFF));
}
void putU32(QByteArray& d, quint32 v) {
  putU16(d, static_cast<int>(v & 0xFFFF));
  putU16(d, static_cast<int>(v >> 16));
}

}  // namespace

std::optional<WmfLayout> WalkWmfRecords(const QByteArray& data) {
  WmfLayout layout;
  qsizetype at = 0;
  if (data.size() < kHeaderBytes) return std::nullopt;
  if (u32At(data, 0) == 0x9AC6CDD7u) {
    if (data.size() < kPlaceableBytes + kHeaderBytes) return std::nullopt;
    layout.placeable = true;
    const int left = s16At(data, 6), top = s16At(data, 8);
    const int right = s16At(data, 10), bottom = s16At(data, 12);
    layout.bbox = QRectF(left, top, right - left, bottom - top);
    layout.unitsPerInch = u16At(data, 14);
    at = kPlaceableBytes;
  }
  if (data.size() < at + kHeaderBytes) return std::nullopt;
  const quint16 type = u16At(data, at);
  if ((type != 1 && type != 2) || u16At(data, at + 2) != 9) return std::nullopt;
  const quint16 objects = u16At(data, at + 10);

  QByteArray records;
  quint32 maxWords = 3;
  bool sawEnd = false;
  int windowOrgX = 0, windowOrgY = 0;
  at += kHeaderBytes;
  int count = 0;
  while (at + 6 <= data.size()) {
    if (++count > kMaxMetafileRecords) return std::nullopt;
    const quint32 words = u32At(data, at);
    const quint16 function = u16At(data, at + 4);
    if (words < 3 || words > static_cast<quint32>((data.size() - at) / 2))
      return std::nullopt;  // a record that runs past the end: damaged
    const qsizetype bytes = static_cast<qsizetype>(words) * 2;
    if (function == 0) {
      sawEnd = true;
      break;
    }
    const qsizetype params = at + 6;
    const quint32 paramWords = words - 3;
    bool keep = true;
    switch (function) {
      case 0x012D:  // SELECTOBJECT
      case 0x01F0:  // DELETEOBJECT
      case 0x0234:  // SELECTPALETTE
      case 0x012C:  // SELECTCLIPREGION
        keep = paramWords >= 1 && u16At(data, params) < objects;
        break;
      case 0x020B:  // SETWINDOWORG y, x
        if (paramWords >= 2) {
          windowOrgY = s16At(data, params);
          windowOrgX = s16At(data, params + 2);
          layout.lastWindow.moveTo(windowOrgX, windowOrgY);
        }
        break;
      case 0x020C:  // SETWINDOWEXT y, x
        if (paramWords >= 2) {
          layout.setsWindowExt = true;
          layout.lastWindow =
              QRectF(windowOrgX, windowOrgY, s16At(data, params + 2), s16At(data, params));
        }
        break;
      default:
        break;
    }
    if (keep) {
      records.append(data.constData() + at, bytes);
      maxWords = std::max(maxWords, words);
    }
    at += bytes;
  }
  // A metafile may end without its end record (the writer stopped at a record boundary), but not
  // in the middle of a record.
  if (!sawEnd && at != data.size() && at + 6 <= data.size()) return std::nullopt;
  records.append("\x03\x00\x00\x00\x00\x00", 6);

  QByteArray& out = layout.sanitized;
  if (layout.placeable) {
    out.append(data.constData(), kPlaceableBytes - 2);
    unsigned short sum = 0;
    for (int i = 0; i < kPlaceableBytes - 2; i += 2) sum ^= u16At(out, i);
    putU16(out, sum);
  }
  putU16(out, 1);
  putU16(out, 9);
  putU16(out, 0x0300);
  putU32(out, static_cast<quint32>((kHeaderBytes + records.size()) / 2));
  putU16(out, objects);
  putU32(out, maxWords + kParameterSlackWords);
  putU16(out, 0);
  out.append(records);
  return layout;
}

}  // namespace kwemo
