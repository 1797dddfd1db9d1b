#include "picture/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cmath>

#include "oldruntime/Rounding.h"
#include "picture/MetafilePlayers.h"
#include "picture/MetafileRenderers.h"

namespace kwemo {

namespace {

bool startsWith(const QByteArray& data, std::initializer_list<unsigned char> bytes) {
  if (data.size() < static_cast<qsizetype>(bytes.size())) return false;
  qsizetype i = 0;
  for (unsigned char b : bytes)
    if (static_cast<unsigned char>(data[i++]) != b) return false;
  return true;
}

quint32 u32At(const QByteArray& data, qsizetype offset) {
  const auto* p = reinterpret_cast<const unsigned char*>(data.constData()) + offset;
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<quint32>(p[3]) << 24);
}

bool sizeWithinLimits(QSize size) {
  return size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide &&
         size.height() <= kMaxPictureSide;
}

// Qt's own decoders: the header's declared size is checked before any pixel is decoded, and
// the allocation limit catches whatever a header hides (an icon entry's embedded image...).
std::optional<Picture> decodeWithQt(const QByteArray& data, const char* format, bool keepAlpha) {
  // 8192 x 8192 ARGB is 256 MiB; nothing larger is ever needed.
  QImageReader::setAllocationLimit(kMaxPictureSide / 1024 * kMaxPictureSide / 1024 * 4);
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
  QImageReader reader(&buffer, format);
  reader.setDecideFormatFromContent(false);
  // Only the plugin for this format: guessing would load every image plugin to ask each one.
  reader.setAutoDetectImageFormat(false);
  reader.setAutoTransform(false);
  const QSize declared = reader.size();
  if (declared.isValid() && !sizeWithinLimits(declared)) return std::nullopt;
  QImage image = reader.read();
  if (image.isNull() || !sizeWithinLimits(image.size())) return std::nullopt;
  if (keepAlpha) image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  return Picture{image, image.width(), image.height()};
}

qint32 s32At(const QByteArray& data, qsizetype offset) {
  return static_cast<qint32>(u32At(data, offset));
}

// Qt's bitmap reader reports no size for some headers it then decodes row by row (a height of
// minus sixteen million: top-down, two pixels wide), which takes half a second before the size
// check after decoding refuses it. The header's own size is checked first.
bool bmpHeaderWithinLimits(const QByteArray& data) {
  constexpr qsizetype kInfoAt = 14;
  if (data.size() < kInfoAt + 12) return false;
  const quint32 headerSize = u32At(data, kInfoAt);
  qint64 width = 0, height = 0;
  if (headerSize == 12) {  // OS/2 core header: 16-bit sizes
    width = static_cast<quint16>(u32At(data, kInfoAt + 4) & 0xFFFF);
    height = static_cast<quint16>(u32At(data, kInfoAt + 6) & 0xFFFF);
  } else {
    if (data.size() < kInfoAt + 16) return false;
    width = s32At(data, kInfoAt + 4);
    height = std::abs(static_cast<qint64>(s32At(data, kInfoAt + 8)));  // negative: top-down
  }
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

}  // namespace

int RoundHalfEven(double value) { return std::isfinite(value) ? toInt32Clamped(value) : 0; }

PictureKind DetectPictureKind(const QByteArray& data) {
  if (startsWith(data, {'B', 'M'})) return PictureKind::Bmp;
  if (startsWith(data, {'G', 'I', 'F', '8'})) return PictureKind::Gif;
  if (startsWith(data, {0xFF, 0xD8, 0xFF})) return PictureKind::Jpeg;
  if (startsWith(data, {0x00, 0x00, 0x01, 0x00})) return PictureKind::Ico;
  if (startsWith(data, {0x00, 0x00, 0x02, 0x00})) return PictureKind::Cur;
  // Placeable header, or a bare header: type 1 (memory) or 2 (disk), 9 words, version 1 or 3.
  if (startsWith(data, {0xD7, 0xCD, 0xC6, 0x9A}) ||
      startsWith(data, {0x01, 0x00, 0x09, 0x00, 0x00, 0x03}) ||
      startsWith(data, {0x02, 0x00, 0x09, 0x00, 0x00, 0x03}) ||
      startsWith(data, {0x01, 0x00, 0x09, 0x00, 0x00, 0x01}) ||
      startsWith(data, {0x02, 0x00, 0x09, 0x00, 0x00, 0x01}))
    return PictureKind::Wmf;
  // EMR_HEADER record with the " EMF" signature.
  if (data.size() >= 44 && u32At(data, 0) == 1 && u32At(data, 40) == 0x464D4520)
    return PictureKind::Emf;
  return PictureKind::None;
}

std::optional<Picture> LoadPictureFromData(const QByteArray& data) {
  if (data.size() > kMaxPictureFileBytes) return std::nullopt;
  switch (DetectPictureKind(data)) {
    case PictureKind::Bmp:
      if (!bmpHeaderWithinLimits(data)) return std::nullopt;
      return decodeWithQt(data, "bmp", false);
    case PictureKind::Gif:
      return decodeWithQt(data, "gif", false);
    case PictureKind::Jpeg:
      return decodeWithQt(data, "jpeg", false);
    case PictureKind::Ico:
    case PictureKind::Cur:
      // Qt's icon reader takes cursors too; it gives the first image of the file.
      return decodeWithQt(data, "ico", true);
    case PictureKind::Wmf:
      if (const MetafilePlayers* players = metafilePlayers()) return players->wmf(data);
      return std::nullopt;
    case PictureKind::Emf:
      if (const MetafilePlayers* players = metafilePlayers()) return players->emf(data);
      return std::nullopt;
    case PictureKind::None:
      break;
  }
  return std::nullopt;
}

bool LooksLikePicturePath(const QString& path) {
  if (path.isEmpty()) return false;
  const QFileInfo info(path);
  // QFileInfo follows links: a link to a regular file counts as that file.
  return info.isFile() && info.size() > 0 && info.size() <= kMaxPictureFileBytes;
}

QByteArray ReadPictureFile(const QString& path) {
  if (!LooksLikePicturePath(path)) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  // Sized from the file, not the limit: read() reserves what it is asked for, and the clock keeps
  // the bytes for the whole run.
  return file.read(std::min(file.size(), kMaxPictureFileBytes) + 1);
}

std::optional<Picture> LoadPicture(const QString& path) {
  const QByteArray data = ReadPictureFile(path);
  if (data.isEmpty()) return std::nullopt;
  return LoadPictureFromData(data);
}

PictureCache::PictureCache(std::size_t capacity, qint64 maxBytes)
    : capacity_(capacity == 0 ? 1 : capacity), maxBytes_(maxBytes) {}

std::optional<Picture> PictureCache::load(const QString& path) {
  if (!LooksLikePicturePath(path)) return std::nullopt;
  const QFileInfo info(path);
  const qint64 fileSize = info.size();
  const QDateTime modified = info.lastModified();
  const QString key = info.absoluteFilePath();
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->path == key) {
      if (it->fileSize == fileSize && it->modified == modified) {
        entries_.splice(entries_.begin(), entries_, it);
        return entries_.front().picture;
      }
      entries_.erase(it);
      break;
    }
  }
  entries_.push_front(Entry{key, fileSize, modified, LoadPicture(path)});
  const auto imageBytes = [](const Entry& e) -> qint64 {
    return e.picture ? e.picture->image.sizeInBytes() : 0;
  };
  qint64 total = 0;
  for (const Entry& e : entries_) total += imageBytes(e);
  while (entries_.size() > 1 && (entries_.size() > capacity_ || total > maxBytes_)) {
    total -= imageBytes(entries_.back());
    entries_.pop_back();
  }
  return entries_.front().picture;
}

void PictureCache::clear() { entries_.clear(); }

}  // namespace kwemo
