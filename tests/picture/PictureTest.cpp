#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "FileBytes.h"
#include "picture/ClipGeometry.h"
#include "picture/Picture.h"

namespace kwemo {
namespace {

// The picture files under tests/picture/data, made once for these tests (see its README).
QByteArray pictureData(const char* name) {
  return test::readAll(QStringLiteral(KWEMO_PICTURE_DATA "/") + QLatin1String(name));
}

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kYellow(255, 255, 0),
    kWhite(255, 255, 255), kClear(0, 0, 0, 0);

// The raster files show four quadrants, so a flipped or shifted decode shows: red, green over blue,
// yellow.
QColor quadrant(int x, int y, int w, int h) {
  const QColor colours[] = {kRed, kGreen, kBlue, kYellow};
  return colours[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)];
}

QByteArray savedByQt(int w, int h, const char* format = "bmp") {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixelColor(x, y, quadrant(x, y, w, h));
  QByteArray out;
  QBuffer buffer(&out);
  image.save(&buffer, format);
  return out;
}

using Probes = std::vector<std::pair<QPoint, QColor>>;  // alpha 0: transparent there

// The quadrant centres, and optionally a transparent pixel.
Probes quadrants(int w, int h, std::optional<QPoint> clear = {}) {
  Probes probes;
  for (int y : {h / 4, h * 3 / 4})
    for (int x : {w / 4, w * 3 / 4}) probes.push_back({{x, y}, quadrant(x, y, w, h)});
  if (clear) probes.push_back({*clear, kClear});
  return probes;
}

// The metafile drawing: red ellipse over white in the left half, blue inset rectangle in the right
// half, transparent around it.
Probes drawing(int w, int h) {
  return {{{w / 4, h / 2}, kRed},      {{2, 2}, kWhite},         {{w / 2 - 3, h - 3}, kWhite},
          {{w * 3 / 4, h / 2}, kBlue}, {{w - 3, h - 3}, kClear}, {{w / 2 + w / 16, h / 2}, kClear}};
}

// The size a picture declares, and its image's.
std::pair<QSize, QSize> sizes(const Picture& p) { return {{p.width, p.height}, p.image.size()}; }

TEST(Picture, EachKindLoadsByContentWithItsSizeAndPixels) {
  using enum PictureKind;
  // name, bytes, kind, size, probes, tolerance per channel (JPEG is lossy)
  const std::tuple<const char*, QByteArray, PictureKind, QSize, Probes, int> cases[] = {
      // clang-format off
      {"rle8", pictureData("rle8.bmp"), Bmp, {37, 21}, quadrants(37, 21), 0},
      {"rle4", pictureData("rle4.bmp"), Bmp, {35, 23}, quadrants(35, 23), 0},
      {"gif", pictureData("quadrants.gif"), Gif, {50, 20}, quadrants(50, 20), 0},
      {"jpeg", savedByQt(64, 48, "jpeg"), Jpeg, {64, 48}, quadrants(64, 48), 40},
      {"ico", pictureData("quadrants.ico"), Ico, {32, 24}, quadrants(32, 24, QPoint(0, 5)), 0},
      {"cur", pictureData("quadrants.cur"), Cur, {16, 16}, quadrants(16, 16, QPoint(0, 12)), 0},
      // 2880 x 1440 units at 1440 an inch
      {"wmf", pictureData("drawing.wmf"), Wmf, {192, 96}, drawing(192, 96), 2},
      {"bare wmf", pictureData("drawing-bare.wmf"), Wmf, {200, 100}, drawing(200, 100), 2},
      {"emf", pictureData("drawing.emf"), Emf, {192, 96}, drawing(192, 96), 2},
      // A green pie counter-clockwise over the top right quarter, "KW" below, a 2 x 2 bitmap
      // (red green / blue yellow) stretched onto (70, 60)-(100, 90).
      {"wmf shapes", pictureData("shapes.wmf"), Wmf, {100, 100},
       {{{75, 25}, kGreen}, {{25, 25}, kClear}, {{60, 55}, kClear}, {{77, 67}, kRed},
        {{92, 67}, kGreen}, {{77, 82}, kBlue}, {{92, 82}, kYellow}}, 2},
      // Shapes millions of pixels long took the rasterizer seconds each, and the playback's
      // time limit then refused the picture; cut to the picture, they take no time.
      // Opaque red text boxes whose middles cover the picture:
      {"huge wmf", pictureData("huge-text-box.wmf"), Wmf, {100, 100},
       {{{0, 0}, kRed}, {{50, 50}, kRed}, {{99, 0}, kRed}, {{0, 99}, kRed}, {{99, 99}, kRed}}, 0},
      // Through the EMF converter and the SVG renderer: red bands along x + y = 0.
      {"huge emf", pictureData("huge-polygon.emf"), Emf, {100, 100},
       {{{50, 50}, kRed}, {{99, 99}, kRed}, {{90, 10}, kRed}, {{10, 90}, kRed}}, 0},
      // clang-format on
  };
  QTemporaryDir dir;
  for (const auto& [name, bytes, kind, size, probes, tolerance] : cases) {
    EXPECT_EQ(DetectPictureKind(bytes), kind) << name;
    // The name never decides: every kind is loaded under a misleading extension.
    test::writeBytes(dir.filePath("Back.bmp"), bytes);
    const std::optional<Picture> picture = LoadPicture(dir.filePath("Back.bmp"));
    ASSERT_TRUE(picture.has_value()) << name;
    EXPECT_EQ(sizes(*picture), std::pair(size, size)) << name;
    for (const auto& [at, want] : probes) {
      const QColor got = picture->image.pixelColor(at);
      const int off =
          std::max({std::abs(got.red() - want.red()), std::abs(got.green() - want.green()),
                    std::abs(got.blue() - want.blue())});
      EXPECT_TRUE(want.alpha() ? got.alpha() == 255 && off <= tolerance : got.alpha() == 0)
          << name << " at " << at.x() << "," << at.y();
    }
  }
}

// Sizes come from the header (a metafile's frame at 96 dpi) and are checked, like every metafile
// record, before anything is decoded or played.
TEST(Picture, DataGivesItsDeclaredSizeOrNoPicture) {
  const QByteArray wmf = pictureData("drawing.wmf"), emf = pictureData("drawing.emf");
  // clang-format off
  const std::pair<QByteArray, QSize> cases[] = {  // empty size: no picture
      {pictureData("size-1000-units-an-inch.wmf"), {96, 48}},
      {pictureData("size-halves-to-even.wmf"), {2, 4}},
      {pictureData("size-rounded-to-nearest.wmf"), {10, 5}},
      {pictureData("emf-frame-100x50.emf"), {100, 50}}, {pictureData("emf-odd-record-size.emf"), {}},
      {emf.chopped(20), {}}, {pictureData("emf-short-record.emf"), {}},  // no end record; fuzzed
      {wmf.chopped(6), {192, 96}}, {wmf.chopped(10), {}},  // no end record; cut inside a record
      {wmf.left(22 + 18), {192, 96}}, {wmf.left(22 + 10), {}},
      {pictureData("wmf-bad-select.wmf"), {192, 96}},
      // Valid headers that claim a huge bitmap.
      {pictureData("bmp-too-wide.bmp"), {}}, {pictureData("bmp-too-deep-top-down.bmp"), {}},
      {pictureData("gif-too-wide.gif"), {}}};
  // clang-format on
  int row = 0;
  for (const auto& [data, size] : cases) {
    const auto picture = LoadPictureFromData(data);
    EXPECT_EQ(picture ? sizes(*picture) : decltype(sizes(*picture))(), std::pair(size, size))
        << row++;
  }
}

TEST(Picture, RejectsWhatIsNoPicture) {
  QTemporaryDir dir;
  test::writeBytes(dir.filePath("notes.bmp"), "just some text, not a picture");
  test::writeBytes(dir.filePath("p.bmp"), savedByQt(8, 8, "png"));  // a kind not offered
  for (const QString& path : {QString(), dir.filePath("missing.bmp"), dir.path(),
                              dir.filePath("notes.bmp"), dir.filePath("p.bmp")})
    EXPECT_FALSE(PictureCache().load(path).has_value()) << path.toStdString();
  EXPECT_TRUE(!LooksLikePicturePath(dir.path()) && LooksLikePicturePath(dir.filePath("notes.bmp")));
}

// Every input the fuzzer kept (damaged files of every kind, and the ones that crashed once).
TEST(Picture, DamagedFilesGiveNoPictureOrAPictureButNeverACrash) {
  // Damaged files make Qt's decoders warn by the thousand; only the outcome matters here.
  QLoggingCategory::setFilterRules(QStringLiteral("*=false"));
  const QDir corpus(QStringLiteral(KWEMO_FUZZ_CORPUS));
  const QStringList names = corpus.entryList(QDir::Files);
  ASSERT_GT(names.size(), 100);
  int loaded = 0;
  for (const QString& name : names) {
    if (const auto picture = LoadPictureFromData(test::readAll(corpus.filePath(name)))) {
      ++loaded;
      EXPECT_TRUE(picture->width > 0 && picture->width <= kMaxPictureSide &&
                  picture->height <= kMaxPictureSide && !picture->image.isNull())
          << name.toStdString();
    }
  }
  QLoggingCategory::setFilterRules({});
  EXPECT_TRUE(loaded > 0 && loaded < names.size()) << loaded;
}

// Huge polygons are clipped on the way (the huge rows above); lines leave and come back in runs.
TEST(Picture, ClipKeepsWhatIsInside) {
  EXPECT_EQ(ClipPolyline(QPolygonF{{1, 5}, {20, 5}, {20, 6}, {1, 6}}, QRectF(0, 0, 10, 10)),
            (std::vector<QPolygonF>{{{1, 5}, {10, 5}}, {{10, 6}, {1, 6}}}));
}

}  // namespace
}  // namespace kwemo
