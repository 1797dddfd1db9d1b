// Prints how long the picture loader takes: a first decode, a repeated load through the cache, and
// the cheap rejection of a path that names no file (the settings dialog tries every keystroke).
// Run: QT_QPA_PLATFORM=offscreen build/bench/pictures/bench_pictures

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "picture/Picture.h"

namespace {

// Mean microseconds per call over enough calls to take about 0.2 s (at least 3).
double microsPerCall(const std::function<void()>& call) {
  QElapsedTimer timer;
  timer.start();
  int calls = 0;
  while (calls < 3 || timer.nsecsElapsed() < 200'000'000) {
    call();
    ++calls;
  }
  return timer.nsecsElapsed() / 1000.0 / calls;
}

// A placeable metafile, 1920 x 1080 pixels, with one filled ellipse.
QByteArray ellipseWmf() {
  QByteArray b;
  auto u16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
  auto u32 = [&](quint32 v) {
    u16(int(v & 0xFFFF));
    u16(int(v >> 16));
  };
  u32(0x9AC6CDD7);
  u16(0);
  u16(0);
  u16(0);
  u16(1920);
  u16(1080);
  u16(96);
  u32(0);
  int sum = 0;
  for (int i = 0; i < 20; i += 2) sum ^= uchar(b[i]) | uchar(b[i + 1]) << 8;
  u16(sum);
  u16(1);
  u16(9);
  u16(0x0300);
  u32(9 + (7 + 4 + 7) * 1 + 3);
  u16(1);
  u32(7);
  u16(0);
  u32(7);
  u16(0x02FC);
  u16(0);
  u16(0x00FF);
  u16(0x0000);
  u16(0);  // red brush
  u32(4);
  u16(0x012D);
  u16(0);
  u32(7);
  u16(0x0418);
  u16(1080);
  u16(1920);
  u16(0);
  u16(0);  // ellipse
  u32(3);
  u16(0);
  return b;
}

// 250 bytes: a placeable 100 x 100 metafile whose 1 x 1 unit window scales one TEXTOUT of 100
// letters, 500 units high and turned by 45 degrees, onto an opaque box some 4.7 million pixels
// long across the picture; 'records' such TEXTOUTs.
QByteArray hugeTextBoxWmf(int records) {
  QByteArray b;
  auto u16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
  auto u32 = [&](quint32 v) {
    u16(int(v & 0xFFFF));
    u16(int(v >> 16));
  };
  u32(0x9AC6CDD7);
  for (int v : {0, 0, 0, 100, 100, 96}) u16(v);
  u32(0);
  int sum = 0;
  for (int i = 0; i < 20; i += 2) sum ^= uchar(b[i]) | uchar(b[i + 1]) << 8;
  u16(sum);
  const int textWords = 3 + 1 + 50 + 2;
  u16(1);
  u16(9);
  u16(0x0300);
  u32(9 + 4 + 5 + 5 + 4 + 5 + 15 + 4 + records * textWords + 3);
  u16(1);
  u32(textWords);
  u16(0);
  auto record = [&](int function, std::initializer_list<int> params) {
    u32(3 + static_cast<quint32>(params.size()));
    u16(function);
    for (int p : params) u16(p);
  };
  record(0x0103, {8});                                 // SETMAPMODE anisotropic
  record(0x020B, {-14000, 14300});                     // SETWINDOWORG
  record(0x020C, {1, 1});                              // SETWINDOWEXT
  record(0x0102, {2});                                 // SETBKMODE opaque
  record(0x0201, {0xFF, 0});                           // SETBKCOLOR
  record(0x02FB, {-500, 0, 450, 450, 400, 0, 0, 0, 0,  // CREATEFONTINDIRECT
                  'A' | 'r' << 8, 'i' | 'a' << 8, 'l'});
  record(0x012D, {0});  // SELECTOBJECT
  for (int i = 0; i < records; ++i) {
    u32(textWords);
    u16(0x0521);  // TEXTOUT
    u16(100);
    b.append(QByteArray(100, 'W'));
    u16(0);
    u16(0);
  }
  record(0, {});
  return b;
}

void report(const char* what, double micros) { std::printf("%-44s %10.1f us\n", what, micros); }

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  QTemporaryDir dir;
  QImage image(1920, 1080, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  const QString bmp = dir.filePath("big.bmp"), jpg = dir.filePath("big.jpg");
  image.save(bmp, "bmp");
  image.save(jpg, "jpeg");
  const QString wmf = dir.filePath("big.wmf");
  {
    QFile f(wmf);
    f.open(QIODevice::WriteOnly);
    f.write(ellipseWmf());
  }

  for (const QString& path : {bmp, jpg, wmf}) {
    const auto picture = kwemo::LoadPicture(path);
    if (!picture || picture->width != 1920 || picture->height != 1080) {
      std::printf("%s did not load as 1920 x 1080\n", qPrintable(path));
      return 1;
    }
  }
  report("LoadPicture 1920x1080 BMP", microsPerCall([&] { kwemo::LoadPicture(bmp); }));
  report("LoadPicture 1920x1080 JPEG", microsPerCall([&] { kwemo::LoadPicture(jpg); }));
  report("LoadPicture 1920x1080 WMF (one ellipse)",
         microsPerCall([&] { kwemo::LoadPicture(wmf); }));
  // Each opaque box used to take over a second to rasterize; only its 100 x 100 pixels are drawn.
  const QByteArray huge = hugeTextBoxWmf(1);
  if (!kwemo::LoadPictureFromData(huge)) {
    std::printf("the huge text box metafile did not load\n");
    return 1;
  }
  report("LoadPictureFromData 250-byte WMF, huge text box",
         microsPerCall([&] { kwemo::LoadPictureFromData(huge); }));
  const QByteArray hugeTwelve = hugeTextBoxWmf(12);
  report("LoadPictureFromData WMF, 12 huge text boxes",
         microsPerCall([&] { kwemo::LoadPictureFromData(hugeTwelve); }));
  // An EMF polygon a few million pixels long across a 100 x 100 picture: about 1 s before.
  QByteArray emf;
  {
    auto u32 = [&](quint32 v) {
      for (int i = 0; i < 4; ++i) emf.append(char((v >> (8 * i)) & 0xFF));
    };
    // Header: bounds, frame (26.46 mm: 100 pixels), " EMF", bytes, 4 records, 2 handles, device.
    for (quint32 v : {1u,
                      88u,
                      0u,
                      0u,
                      100u,
                      100u,
                      0u,
                      0u,
                      2646u,
                      2646u,
                      0x464D4520u,
                      0x10000u,
                      88u + 24u + 12u + 60u + 20u,
                      4u,
                      2u,
                      0u,
                      0u,
                      0u,
                      1920u,
                      1080u,
                      508u,
                      286u})
      u32(v);
    // A red brush, selected; one polygon; the end.
    for (quint32 v : {39u, 24u, 1u, 0u, 0xFFu, 0u, 37u, 12u, 1u, 3u, 60u, 0u, 0u, 100u, 100u, 4u})
      u32(v);
    for (qint32 v : {-1400000, 1400000, 1900000, -1900000, 1950000, -1890000, -1380000, 1440000})
      u32(static_cast<quint32>(v));
    for (quint32 v : {14u, 20u, 0u, 16u, 20u}) u32(v);
  }
  if (!kwemo::LoadPictureFromData(emf)) {
    std::printf("the huge polygon EMF did not load\n");
    return 1;
  }
  report("LoadPictureFromData EMF, huge polygon",
         microsPerCall([&] { kwemo::LoadPictureFromData(emf); }));
  kwemo::PictureCache cache;
  cache.load(bmp);
  report("PictureCache::load, same BMP again", microsPerCall([&] { cache.load(bmp); }));
  const QString missing = dir.filePath("big.bm");
  report("LoadPicture, path names no file", microsPerCall([&] { kwemo::LoadPicture(missing); }));
  report("PictureCache::load, path names a folder", microsPerCall([&] { cache.load(dir.path()); }));
  return 0;
}
