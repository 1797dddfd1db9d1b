#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "EmfFixture.h"
#include "PictureFixtures.h"
#include "picture/Picture.h"

namespace kwemo {

namespace {

struct Probe {
  int x, y;
  QColor colour;  // alpha 0 means "transparent here", whatever the colour
};

struct KindCase {
  const char* name;
  std::function<QByteArray()> bytes;
  PictureKind kind;
  int width, height;
  std::vector<Probe> probes;
  int tolerance;  // per channel; JPEG is lossy
};

// The four quadrant centres of a W x H raster fixture, and optionally a transparent pixel.
std::vector<Probe> quadrantProbes(int w, int h, std::optional<QPoint> clear = {}) {
  std::vector<Probe> probes;
  for (int qy : {h / 4, h * 3 / 4})
    for (int qx : {w / 4, w * 3 / 4})
      probes.push_back({qx, qy, fixtures::quadrantColour(qx, qy, w, h)});
  if (clear) probes.push_back({clear->x(), clear->y(), QColor(0, 0, 0, 0)});
  return probes;
}

QByteArray emf() {
  const std::vector<unsigned char> bytes = fixtures::emfBytes();
  return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
}

// The metafile drawing: red ellipse over white in the left half, blue inset rectangle in the right
// half, transparent around it. W x H pixels.
std::vector<Probe> drawingProbes(int w, int h) {
  const QColor clear(0, 0, 0, 0), red(255, 0, 0), white(255, 255, 255);
  return {{w / 4, h / 2, red},
          {2, 2, white},
          {w / 4, h - 3, red},
          {w / 2 - 3, h - 3, white},
          {w * 3 / 4, h / 2, QColor(0, 0, 255)},
          {w / 2 + w / 16, h / 2, clear},
          {w - 3, h - 3, clear},
          {w * 3 / 4, 3, clear}};
}

std::vector<KindCase> allCases() {
  using namespace fixtures;
  const QColor clear(0, 0, 0, 0);
  // clang-format off
  return {
      {"bmp", [] { return bmp(40, 30); }, PictureKind::Bmp, 40, 30, quadrantProbes(40, 30), 0},
      {"rle8", [] { return rle(37, 21, 8); }, PictureKind::Bmp, 37, 21, quadrantProbes(37, 21), 0},
      {"rle4", [] { return rle(35, 23, 4); }, PictureKind::Bmp, 35, 23, quadrantProbes(35, 23), 0},
      {"gif", [] { return gif(50, 20); }, PictureKind::Gif, 50, 20, quadrantProbes(50, 20), 0},
      {"jpeg", [] { return jpeg(64, 48); }, PictureKind::Jpeg, 64, 48, quadrantProbes(64, 48), 40},
      {"ico", [] { return icon(32, 24, false); }, PictureKind::Ico, 32, 24,
       quadrantProbes(32, 24, QPoint(0, 5)), 0},
      {"cur", [] { return icon(16, 16, true); }, PictureKind::Cur, 16, 16,
       quadrantProbes(16, 16, QPoint(0, 12)), 0},
      {"placeable wmf", [] { return placeableWmf(2880, 1440, 1440); }, PictureKind::Wmf, 192, 96,
       drawingProbes(192, 96), 2},
      {"bare wmf", [] { return bareWmf(200, 100); }, PictureKind::Wmf, 200, 100,
       drawingProbes(200, 100), 2},
      {"emf", emf, PictureKind::Emf, 192, 96, drawingProbes(192, 96), 2},
      // The pie runs counter-clockwise over the top right quarter; the bitmap is stretched.
      {"wmf shapes", shapesWmf, PictureKind::Wmf, 100, 100,
       {{75, 25, QColor(0, 255, 0)}, {25, 25, clear}, {60, 55, clear}, {77, 67, QColor(255, 0, 0)},
        {92, 67, QColor(0, 255, 0)}, {77, 82, QColor(0, 0, 255)}, {92, 82, QColor(255, 255, 0)}},
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
    const QByteArray data = c.bytes();
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

// The pie's counter-clockwise arc and the bitmap are probed with the other kinds.
TEST(Picture, MetafileTextIsDrawn) {
  const auto picture = LoadPictureFromData(fixtures::shapesWmf());
  ASSERT_TRUE(picture.has_value());
  const QImage& image = picture->image;
  // The text leaves dark opaque pixels below the pie's box half, and none far right of it.
  int inked = 0, stray = 0;
  for (int y = 50; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) {
      const QColor c = image.pixelColor(x, y);
      const bool ink = c.alpha() > 200 && c.red() < 80 && c.green() < 80 && c.blue() < 80;
      (x < 70 ? inked : stray) += ink ? 1 : 0;
    }
  }
  EXPECT_GT(inked, 40);
  EXPECT_EQ(stray, 0);
}

// Sizes come from the header (a metafile's frame at 96 dpi) and are checked, like every metafile
// record, before anything is decoded or played.
TEST(Picture, DataGivesItsDeclaredSizeOrNoPicture) {
  const QByteArray whole = fixtures::placeableWmf(2880, 1440, 1440);
  QByteArray badSelect = whole;
  // The first SELECTOBJECT (after the placeable header, the header and three 5/4-word records).
  const qsizetype select = badSelect.indexOf(QByteArray("\x04\x00\x00\x00\x2D\x01", 6));
  ASSERT_GT(select, 0);
  badSelect[select + 6] = static_cast<char>(200);  // object 200 of 4
  const QByteArray emfWhole = emf();
  QByteArray emf100x50 = emfWhole;
  setLE32(emf100x50, 32, 2646);  // rclFrame right, bottom: 26.46 mm x 13.23 mm
  setLE32(emf100x50, 36, 1323);
  // Random records (from a fuzzing run) with an EMR_CREATEMONOBRUSH cut to 20 of its 32 bytes: its
  // bitmap fields are read from the record behind it and point past the end of the file.
  const QByteArray shortRecord = QByteArray::fromBase64(
      "AQAAAFgAAAAAAAAAAAAAAGQAAABkAAAAAAAAAAAAAABWCgAAVgoAACBFTUYAAAEAAAAAAAAAAAABAAAAAAAAAAAA"
      "AAAAAAAAAAQAAAADAABAAQAA8AAAAEEAAAAQAAAAtk6l+f////9dAAAAFAAAAAAAAAD/////vwAAABkAAAAsAAAA"
      "fAAAACQAAAAoAAAA/////zAAAABGVok1BAAAAIHOZLOzAAAAcwAAABAAAAD/////YgAAAEQAAACkAAAABgAAAAwA"
      "AAAGAAAARZ0n4xgAAAAYAAAApd9RaAMAAABkAAAALAAAAP//////////AgAAACyTRm2lAAAA/////1xgzAwoAAAA"
      "AwAAAIbI3YEYAAAAwvGWDwwAAAC/AAAAVYeM+zgAAAAEAAAA/////xAAAAANLDGfAgAAABXb/Wfp4Lp2AgAAADgA"
      "AAAMAAAAOAAAABQAAAAt+/B5DgAAABQAAAAAAAAAEAAAABQAAAA=");
  QByteArray emfOddSize = emfWhole;
  const auto afterHeader = qFromLittleEndian<quint32>(emfWhole.constData() + 4);
  emfOddSize[afterHeader + 4] = static_cast<char>(emfOddSize[afterHeader + 4] + 2);
  // Valid headers that claim a huge bitmap.
  QByteArray wideBmp = fixtures::bmp(4, 4), highBmp = wideBmp, wideGif = fixtures::gif(4, 4);
  setLE32(wideBmp, 18, kMaxPictureSide + 1);
  setLE32(highBmp, 22, 100000);
  // Top-down (negative height), 16 million rows: Qt's reader gives no size for it beforehand.
  QByteArray deepTopDownBmp = fixtures::bmp(2, 2);
  setLE32(deepTopDownBmp, 22, 0xFF000002u);
  wideGif[6] = wideGif[7] = static_cast<char>(0xFF);
  struct Case {
    const char* name;
    QByteArray data;
    QSize size;  // empty: no picture
  };
  const Case cases[] = {
      {"1000 units an inch", fixtures::placeableWmf(1000, 500, 1000), QSize(96, 48)},
      {"halves go to even", fixtures::placeableWmf(5, 7, 192), QSize(2, 4)},
      {"rounded to nearest", fixtures::placeableWmf(254, 127, 2540), QSize(10, 5)},
      {"emf frame", emf100x50, QSize(100, 50)},
      {"emf without its end record", emfWhole.chopped(20), QSize()},
      {"emf record size not a multiple of 4", emfOddSize, QSize()},
      {"emf record shorter than its kind", shortRecord, QSize()},
      {"wmf without its end record", whole.chopped(6), QSize(192, 96)},
      {"wmf cut inside the last drawing record", whole.chopped(10), QSize()},
      {"wmf header only", whole.left(22 + 18), QSize(192, 96)},
      {"wmf header cut short", whole.left(22 + 10), QSize()},
      {"wmf selects an object that does not exist", badSelect, QSize(192, 96)},
      {"bmp too wide", wideBmp, QSize()},
      {"bmp too high", highBmp, QSize()},
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
  const QString empty = dir.filePath("empty.bmp");
  ASSERT_TRUE(writeFile(empty, {}));
  const QString png = dir.filePath("p.bmp");
  QImage pngImage(8, 8, QImage::Format_RGB32);
  pngImage.fill(Qt::red);
  ASSERT_TRUE(pngImage.save(png, "png"));  // a kind the loader does not offer

  struct Case {
    const char* name;
    QString path;
  };
  const Case cases[] = {
      {"empty path", QString()}, {"missing file", dir.filePath("missing.bmp")},
      {"folder", dir.path()},    {"text", text},
      {"empty file", empty},     {"png", png},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(LoadPicture(c.path).has_value()) << c.name;
    PictureCache cache;
    EXPECT_FALSE(cache.load(c.path).has_value()) << c.name;
  }
  EXPECT_FALSE(LooksLikePicturePath(dir.path()));
  EXPECT_FALSE(LooksLikePicturePath(dir.filePath("missing.bmp")));
  EXPECT_TRUE(LooksLikePicturePath(text));
}

TEST(Picture, CacheDecodesOncePerPathSizeAndTime) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("back.bmp");
  ASSERT_TRUE(writeFile(path, fixtures::bmp(20, 10)));
  PictureCache cache(2);
  const auto first = cache.load(path), second = cache.load(path);
  ASSERT_TRUE(first && second);
  // The same decode is handed out again: the image shares its pixel buffer.
  EXPECT_EQ(first->image.constBits(), second->image.constBits());
  // A changed file (other size) is decoded anew.
  ASSERT_TRUE(writeFile(path, fixtures::bmp(30, 12)));
  EXPECT_EQ(cache.load(path).value_or(Picture{}).width, 30);
  // Removed file: no picture, whatever was cached.
  ASSERT_TRUE(QFile::remove(path));
  EXPECT_FALSE(cache.load(path).has_value());
  // Capacity bounds the entries.
  for (int i = 0; i < 5; ++i) {
    const QString p = dir.filePath(QString("p%1.bmp").arg(i));
    ASSERT_TRUE(writeFile(p, fixtures::bmp(4 + i, 4)));
    EXPECT_EQ(cache.load(p)->width, 4 + i);
  }
  EXPECT_EQ(cache.size(), 2u);
  // So do the images' bytes, but the newest entry always stays.
  PictureCache small(4, 20 * 20 * 4);
  ASSERT_TRUE(writeFile(dir.filePath("a.bmp"), fixtures::bmp(16, 16)));
  ASSERT_TRUE(writeFile(dir.filePath("b.bmp"), fixtures::bmp(40, 40)));
  ASSERT_TRUE(small.load(dir.filePath("a.bmp")).has_value());
  EXPECT_EQ(small.size(), 1u);
  ASSERT_TRUE(small.load(dir.filePath("b.bmp")).has_value());
  EXPECT_EQ(small.size(), 1u);
}

TEST(Picture, DamagedFilesGiveNoPictureOrAPictureButNeverACrash) {
  const QuietQtWarnings quiet;
  // A fixed seed keeps runs repeatable; the two variables allow longer hunts by hand.
  const char* seed = std::getenv("KWEMO_FUZZ_SEED");
  const char* variants = std::getenv("KWEMO_FUZZ_VARIANTS");
  std::mt19937 random(seed ? static_cast<unsigned>(std::atol(seed)) : 20261206u);
  const int variantsPerFixture = variants ? std::atoi(variants) : 2000;
  int loaded = 0, total = 0;
  for (const KindCase& c : allCases()) {
    const QByteArray original = c.bytes();
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int v = 0; v < variantsPerFixture; ++v) {
      QByteArray data = original;
      const int n = static_cast<int>(data.size());
      switch (v % 5) {
        case 0:  // truncation
          data.truncate(std::uniform_int_distribution<int>(0, n - 1)(random));
          break;
        case 1: {  // a few random bytes changed anywhere
          const int flips = std::uniform_int_distribution<int>(1, 8)(random);
          for (int i = 0; i < flips; ++i)
            data[std::uniform_int_distribution<int>(0, n - 1)(random)] =
                static_cast<char>(anyByte(random));
          break;
        }
        case 2: {  // an extreme 16- or 32-bit value (sizes, counts), mostly in the headers
          static const quint32 extremes[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0xFFFFu,
                                             0x7FFFu,     0x8000u,     0u,          0x10000u};
          const int reach = (v / 5) % 3 ? std::min(n, 128) : n;
          const int at = std::uniform_int_distribution<int>(0, reach - 4)(random);
          const quint32 value = extremes[std::uniform_int_distribution<int>(0, 7)(random)];
          const int width = (v / 5) % 2 ? 4 : 2;
          for (int i = 0; i < width; ++i)
            data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
          break;
        }
        case 3: {  // a run of the file copied over another place (records repeated, shifted)
          const int length = std::uniform_int_distribution<int>(1, std::max(1, n / 4))(random);
          const int from = std::uniform_int_distribution<int>(0, n - length)(random);
          const int to = std::uniform_int_distribution<int>(0, n - length)(random);
          const QByteArray run = data.mid(from, length);
          data.replace(to, length, run);
          break;
        }
        default: {  // header bytes flipped
          const int at = std::uniform_int_distribution<int>(0, std::min(n, 64) - 1)(random);
          data[at] = static_cast<char>(anyByte(random));
          break;
        }
      }
      const auto picture = LoadPictureFromData(data);
      ++total;
      if (picture) {
        ++loaded;
        EXPECT_GT(picture->width, 0) << c.name << " variant " << v;
        EXPECT_LE(picture->width, kMaxPictureSide) << c.name << " variant " << v;
        EXPECT_LE(picture->height, kMaxPictureSide) << c.name << " variant " << v;
        EXPECT_FALSE(picture->image.isNull()) << c.name << " variant " << v;
      }
    }
  }
  // Many damaged variants still decode (a flipped pixel byte); many do not.
  EXPECT_GT(loaded, 0);
  EXPECT_LT(loaded, total);
}

}  // namespace kwemo
