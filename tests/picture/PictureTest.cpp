#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <optional>
#include <string>
#include <vector>

#include "PictureData.h"
#include "picture/Picture.h"

namespace kwemo {

namespace {

struct Probe {
  int x, y;
  QColor colour;  // alpha 0 means "transparent here", whatever the colour
};

struct KindCase {
  const char* name;
  QByteArray bytes;
  PictureKind kind;
  int width, height;
  std::vector<Probe> probes;
  int tolerance;  // per channel; JPEG is lossy
};

const QColor kRed(255, 0, 0), kGreen(0, 255, 0), kBlue(0, 0, 255), kWhite(255, 255, 255),
    kClear(0, 0, 0, 0);

// The raster files show four quadrants, so a flipped or shifted decode shows: red, green over blue,
// yellow.
QColor quadrant(int x, int y, int w, int h) {
  static const QColor colours[] = {kRed, kGreen, kBlue, QColor(255, 255, 0)};
  return colours[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)];
}

QByteArray savedByQt(int w, int h, const char* format = "bmp") {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixelColor(x, y, quadrant(x, y, w, h));
  QByteArray out;
  QBuffer buffer(&out);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return out;
}

// The quadrant centres, and optionally a transparent pixel.
std::vector<Probe> quadrantProbes(int w, int h, std::optional<QPoint> clear = {}) {
  std::vector<Probe> probes;
  for (int qy : {h / 4, h * 3 / 4})
    for (int qx : {w / 4, w * 3 / 4}) probes.push_back({qx, qy, quadrant(qx, qy, w, h)});
  if (clear) probes.push_back({clear->x(), clear->y(), kClear});
  return probes;
}

// The metafile drawing: red ellipse over white in the left half, blue inset rectangle in the right
// half, transparent around it. W x H pixels.
std::vector<Probe> drawingProbes(int w, int h) {
  return {{w / 4, h / 2, kRed},      {2, 2, kWhite},
          {w / 4, h - 3, kRed},      {w / 2 - 3, h - 3, kWhite},
          {w * 3 / 4, h / 2, kBlue}, {w / 2 + w / 16, h / 2, kClear},
          {w - 3, h - 3, kClear},    {w * 3 / 4, 3, kClear}};
}

std::vector<KindCase> allCases() {
  // clang-format off
  return {
      {"bmp", savedByQt(40, 30), PictureKind::Bmp, 40, 30, quadrantProbes(40, 30), 0},
      {"rle8", pictureData("rle8.bmp"), PictureKind::Bmp, 37, 21, quadrantProbes(37, 21), 0},
      {"rle4", pictureData("rle4.bmp"), PictureKind::Bmp, 35, 23, quadrantProbes(35, 23), 0},
      {"gif", pictureData("quadrants.gif"), PictureKind::Gif, 50, 20, quadrantProbes(50, 20), 0},
      {"jpeg", savedByQt(64, 48, "jpeg"), PictureKind::Jpeg, 64, 48, quadrantProbes(64, 48), 40},
      // 32-bit, the pixel column x == 0 transparent
      {"ico", pictureData("quadrants.ico"), PictureKind::Ico, 32, 24,
       quadrantProbes(32, 24, QPoint(0, 5)), 0},
      {"cur", pictureData("quadrants.cur"), PictureKind::Cur, 16, 16,
       quadrantProbes(16, 16, QPoint(0, 12)), 0},
      // 2880 x 1440 units at 1440 an inch
      {"placeable wmf", pictureData("drawing.wmf"), PictureKind::Wmf, 192, 96,
       drawingProbes(192, 96), 2},
      {"bare wmf", pictureData("drawing-bare.wmf"), PictureKind::Wmf, 200, 100,
       drawingProbes(200, 100), 2},
      {"emf", pictureData("drawing.emf"), PictureKind::Emf, 192, 96, drawingProbes(192, 96), 2},
      // A green pie counter-clockwise over the top right quarter, "KW" in black below, a 2 x 2
      // bitmap (red green / blue yellow) stretched onto (70, 60)-(100, 90).
      {"wmf shapes", pictureData("shapes.wmf"), PictureKind::Wmf, 100, 100,
       {{75, 25, kGreen}, {25, 25, kClear}, {60, 55, kClear}, {77, 67, kRed},
        {92, 67, kGreen}, {77, 82, kBlue}, {92, 82, QColor(255, 255, 0)}},
       2}};
  // clang-format on
}

void expectProbes(const Picture& picture, const KindCase& c) {
  for (const Probe& p : c.probes) {
    SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(p.x) + "," + std::to_string(p.y));
    const QColor got = picture.image.pixelColor(p.x, p.y);
    EXPECT_EQ(got.alpha(), p.colour.alpha() == 0 ? 0 : 255);
    if (p.colour.alpha() == 0) continue;
    EXPECT_NEAR(got.red(), p.colour.red(), c.tolerance);
    EXPECT_NEAR(got.green(), p.colour.green(), c.tolerance);
    EXPECT_NEAR(got.blue(), p.colour.blue(), c.tolerance);
  }
}

// Sets a little-endian 32-bit field of a fixture.
void setLE32(QByteArray& data, int offset, quint32 v) {
  for (int i = 0; i < 4; ++i) data[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Damaged files make Qt's decoders warn by the thousand; the test only cares about the outcome.
class QuietQtWarnings {
 public:
  QuietQtWarnings()
      : previous_(
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {})) {}
  ~QuietQtWarnings() { qInstallMessageHandler(previous_); }

 private:
  QtMessageHandler previous_;
};

bool writeFile(const QString& path, const QByteArray& data) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

}  // namespace

TEST(Picture, EachKindLoadsByContentWithItsSizeAndPixels) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const KindCase& c : allCases()) {
    const QByteArray& data = c.bytes;
    ASSERT_FALSE(data.isEmpty()) << c.name;
    EXPECT_EQ(DetectPictureKind(data), c.kind) << c.name;
    // The name never decides: every kind is also tried under a misleading extension.
    for (const QString& file :
         {QString(c.name) + "." + c.name, QStringLiteral("Back.bmp"), QString(c.name) + ".txt"}) {
      const QString path = dir.filePath(file);
      ASSERT_TRUE(writeFile(path, data));
      const std::optional<Picture> picture = LoadPicture(path);
      ASSERT_TRUE(picture.has_value()) << c.name << " as " << file.toStdString();
      EXPECT_EQ(picture->width, c.width) << c.name;
      EXPECT_EQ(picture->height, c.height) << c.name;
      EXPECT_EQ(picture->image.size(), QSize(c.width, c.height)) << c.name;
      expectProbes(*picture, c);
    }
  }
}

// Sizes come from the header (a metafile's frame at 96 dpi) and are checked, like every metafile
// record, before anything is decoded or played.
TEST(Picture, DataGivesItsDeclaredSizeOrNoPicture) {
  const QByteArray whole = pictureData("drawing.wmf");
  QByteArray badSelect = whole;
  // The first SELECTOBJECT (after the placeable header, the header and three 5/4-word records).
  const qsizetype select = badSelect.indexOf(QByteArray("\x04\x00\x00\x00\x2D\x01", 6));
  ASSERT_GT(select, 0);
  badSelect[select + 6] = static_cast<char>(200);  // object 200 of 4
  const QByteArray emfWhole = pictureData("drawing.emf");
  QByteArray emf100x50 = emfWhole;
  setLE32(emf100x50, 32, 2646);  // rclFrame right, bottom: 26.46 mm x 13.23 mm
  setLE32(emf100x50, 36, 1323);
  QByteArray emfOddSize = emfWhole;
  const auto afterHeader = qFromLittleEndian<quint32>(emfWhole.constData() + 4);
  emfOddSize[afterHeader + 4] = static_cast<char>(emfOddSize[afterHeader + 4] + 2);
  // Valid headers that claim a huge bitmap.
  QByteArray wideBmp = savedByQt(4, 4), wideGif = pictureData("quadrants.gif");
  setLE32(wideBmp, 18, kMaxPictureSide + 1);
  // Top-down (negative height), 16 million rows: Qt's reader gives no size for it beforehand.
  QByteArray deepTopDownBmp = savedByQt(2, 2);
  setLE32(deepTopDownBmp, 22, 0xFF000002u);
  wideGif[6] = wideGif[7] = static_cast<char>(0xFF);
  struct Case {
    const char* name;
    QByteArray data;
    QSize size;  // empty: no picture
  };
  const Case cases[] = {
      {"1000 units an inch", pictureData("size-1000-units-an-inch.wmf"), QSize(96, 48)},
      {"halves go to even", pictureData("size-halves-to-even.wmf"), QSize(2, 4)},
      {"rounded to nearest", pictureData("size-rounded-to-nearest.wmf"), QSize(10, 5)},
      {"emf frame", emf100x50, QSize(100, 50)},
      {"emf without its end record", emfWhole.chopped(20), QSize()},
      {"emf record size not a multiple of 4", emfOddSize, QSize()},
      // From a fuzzing run: an EMR_CREATEMONOBRUSH cut to 20 of its 32 bytes, whose bitmap fields
      // are read from the record behind it and point past the end of the file.
      {"emf record shorter than its kind", pictureData("emf-short-record.emf"), QSize()},
      {"wmf without its end record", whole.chopped(6), QSize(192, 96)},
      {"wmf cut inside the last drawing record", whole.chopped(10), QSize()},
      {"wmf header only", whole.left(22 + 18), QSize(192, 96)},
      {"wmf header cut short", whole.left(22 + 10), QSize()},
      {"wmf selects an object that does not exist", badSelect, QSize(192, 96)},
      {"bmp too wide", wideBmp, QSize()},
      {"bmp too deep, top-down", deepTopDownBmp, QSize()},
      {"gif too wide", wideGif, QSize()},
  };
  for (const Case& c : cases) {
    const auto picture = LoadPictureFromData(c.data);
    EXPECT_EQ(picture ? QSize(picture->width, picture->height) : QSize(), c.size) << c.name;
    if (picture) {
      EXPECT_EQ(picture->image.size(), c.size) << c.name;
    }
  }
}

TEST(Picture, RejectsWhatIsNoPicture) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString text = dir.filePath("notes.bmp");
  ASSERT_TRUE(writeFile(text, "just some text, not a picture"));
  const QString png = dir.filePath("p.bmp");  // a kind the loader does not offer
  ASSERT_TRUE(writeFile(png, savedByQt(8, 8, "png")));

  struct Case {
    const char* name;
    QString path;
  };
  const Case cases[] = {
      {"empty path", QString()},
      {"missing file", dir.filePath("missing.bmp")},
      {"folder", dir.path()},
      {"text", text},
      {"png", png},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(LoadPicture(c.path).has_value()) << c.name;
    PictureCache cache;
    EXPECT_FALSE(cache.load(c.path).has_value()) << c.name;
  }
  EXPECT_FALSE(LooksLikePicturePath(dir.path()));
  EXPECT_TRUE(LooksLikePicturePath(text));
}

TEST(Picture, CacheDecodesOncePerPathSizeAndTimeWithinItsBounds) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("back.bmp");
  ASSERT_TRUE(writeFile(path, savedByQt(20, 10)));
  PictureCache cache(2);
  const auto first = cache.load(path), second = cache.load(path);
  ASSERT_TRUE(first && second);
  // The same decode is handed out again: the image shares its pixel buffer.
  EXPECT_EQ(first->image.constBits(), second->image.constBits());
  ASSERT_TRUE(writeFile(path, savedByQt(30, 12)));  // changed: decoded anew
  EXPECT_EQ(cache.load(path).value_or(Picture{}).width, 30);
  ASSERT_TRUE(QFile::remove(path));  // removed: no picture, whatever was cached
  EXPECT_FALSE(cache.load(path).has_value());
  // Both the count and the images' bytes are bounded, but the newest entry always stays.
  PictureCache small(2, 20 * 20 * 4);
  for (int side : {4, 5, 6, 16, 40}) {
    const QString p = dir.filePath(QString("p%1.bmp").arg(side));
    ASSERT_TRUE(writeFile(p, savedByQt(side, side)));
    EXPECT_EQ(small.load(p).value_or(Picture{}).width, side);
  }
  EXPECT_EQ(small.size(), 1u);
}

// Every input the fuzzer kept (damaged files of every kind, and the ones that crashed once).
TEST(Picture, DamagedFilesGiveNoPictureOrAPictureButNeverACrash) {
  const QuietQtWarnings quiet;
  const QDir corpus(QStringLiteral(KWEMO_FUZZ_CORPUS));
  const QStringList names = corpus.entryList(QDir::Files);
  ASSERT_GT(names.size(), 100);
  int loaded = 0;
  for (const QString& name : names) {
    QFile file(corpus.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    if (const auto picture = LoadPictureFromData(file.readAll())) {
      ++loaded;
      EXPECT_TRUE(picture->width > 0 && picture->width <= kMaxPictureSide &&
                  picture->height <= kMaxPictureSide && !picture->image.isNull())
          << name.toStdString();
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_LT(loaded, names.size());
}

}  // namespace kwemo
