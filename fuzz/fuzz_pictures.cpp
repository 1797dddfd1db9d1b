// Picture loading by content, all eight kinds: no crash, no undefined behaviour, and a picture
// that loads has a size within the limits and an image of that size.

#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzCheck.h"
#include "picture/Picture.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Fonts for metafile text; the application lives as long as the process.
  new QGuiApplication(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<kwemo::Picture> picture = kwemo::LoadPictureFromData(bytes);
  if (!picture) return 0;
  FUZZ_CHECK(kwemo::DetectPictureKind(bytes) != kwemo::PictureKind::None);
  FUZZ_CHECK(picture->width >= 1 && picture->width <= kwemo::kMaxPictureSide);
  FUZZ_CHECK(picture->height >= 1 && picture->height <= kwemo::kMaxPictureSide);
  FUZZ_CHECK(picture->image.width() == picture->width);
  FUZZ_CHECK(picture->image.height() == picture->height);
  return 0;
}
