#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>

namespace kwemo {

// A loaded background picture: the image and the picture's own size in pixels. Metafiles and
// icons keep their transparency (ARGB image); bitmaps, GIF and JPEG come as Qt decodes them.
struct Picture {
  QImage image;
  int width = 0;
  int height = 0;
};

// The kinds the picture loader reads, told apart by the first bytes, never by the file name.
enum class PictureKind { None, Bmp, Gif, Jpeg, Ico, Cur, Wmf, Emf };

// Limits for untrusted files: the file size read at all, and the largest side decoded.
inline constexpr qint64 kMaxPictureFileBytes = 64LL * 1024 * 1024;
inline constexpr int kMaxPictureSide = 8192;

PictureKind DetectPictureKind(const QByteArray& data);

// Reads any kind above from the content; std::nullopt for other kinds, damaged data, sizes beyond
// the limits, or a path that names no regular file (rejected without reading it).
std::optional<Picture> LoadPicture(const QString& path);
std::optional<Picture> LoadPictureFromData(const QByteArray& data);

// True when the path names an existing regular file of a plausible size: a cheap test that needs
// no read, for callers that try every intermediate text of a path being typed.
bool LooksLikePicturePath(const QString& path);
// The bytes of such a file, one byte past the limit at most (a file that grew since the check is
// then refused by the loader); empty when it is none or cannot be read.
QByteArray ReadPictureFile(const QString& path);

// Remembers the last few loads keyed by (path, file size, modification time), so that a path that
// is tried again and again decodes once while the file stays the same. Failures are remembered
// too (a damaged file is not decoded on every keystroke either). Older entries go once there are
// more than 'capacity' of them or their images together exceed 'maxBytes'; the newest always stays.
class PictureCache {
 public:
  explicit PictureCache(std::size_t capacity = 4, qint64 maxBytes = 256LL * 1024 * 1024);

  std::optional<Picture> load(const QString& path);
  void clear();
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    QString path;
    qint64 fileSize = 0;
    QDateTime modified;
    std::optional<Picture> picture;
  };

  std::size_t capacity_;
  qint64 maxBytes_;
  std::list<Entry> entries_;  // most recently used first
};

}  // namespace kwemo
