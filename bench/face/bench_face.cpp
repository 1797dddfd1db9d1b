// Cost of the face in three looks, two ways. Warm: whole faces drawn back to back (clear,
// picture, marks, text, hands), caches hot; the median and 90th percentile of many frames (wall
// clock) and the median CPU time. Cold: the clock's own ticks, one every 200 ms on the system
// clock as the window's timer runs them, with caches gone cold in between; CPU per tick and per
// second, drawing everything on every tick (as the first versions did) and drawing only what
// changed. Run on an idle machine for the figures to mean much; the load average is printed.
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <numeric>
#include <thread>
#include <vector>

#include "clock/ClockSettings.h"
#include "clock/ClockSettingsStorage.h"
#include "clock/FaceRenderer.h"
#include "clock/FaceState.h"
#include "surface/DrawSurface.h"
#include "surface/Fonts.h"

using namespace kwemo;

namespace {

// A photo-like picture: smooth colour fields with noise, so JPEG has real work to do.
QString writeJpeg(const QString& folder) {
  QImage im(1600, 1200, QImage::Format_RGB32);
  QRandomGenerator rng(42);
  for (int y = 0; y < im.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(im.scanLine(y));
    for (int x = 0; x < im.width(); ++x) {
      const int n = static_cast<int>(rng.bounded(24));
      line[x] = qRgb((x / 7 + n) & 0xFF, (y / 5 + n) & 0xFF, ((x + y) / 11 + n) & 0xFF);
    }
  }
  const QString path = folder + QStringLiteral("/back.jpg");
  if (!im.save(path, "JPEG", 85)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::exit(1);
  }
  return path;
}

struct Result {
  double median, p90, cpuMedian;
};

// CPU time of this thread: what the drawing itself costs, without the waits when other
// processes have the processor.
double threadCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

Result measure(const ClockSettings& settings, int w, int h, int frames) {
  FaceState state;
  DrawSurface surface(w, h);
  QDateTime t(QDate(2026, 1, 5), QTime(10, 10, 30));
  FaceRenderer renderer(settings, state, surface, nullptr, [&] { return t; });
  renderer.Prepare();
  if (!settings.BackBMP.isEmpty() && !renderer.HasBackPicture()) {
    std::fprintf(stderr, "the background picture did not load\n");
    std::exit(1);
  }
  std::vector<double> ms, cpu;
  ms.reserve(static_cast<std::size_t>(frames));
  cpu.reserve(static_cast<std::size_t>(frames));
  for (int i = 0; i < frames + frames / 10; ++i) {
    t = t.addSecs(1);
    const double cpuStart = threadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    renderer.DrawFace(t);
    surface.Refresh();
    const auto end = std::chrono::steady_clock::now();
    const double cpuEnd = threadCpuMs();
    if (i >= frames / 10) {  // the first tenth warms caches and the stretched picture
      ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
      cpu.push_back(cpuEnd - cpuStart);
    }
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpu.begin(), cpu.end());
  return {ms[ms.size() / 2], ms[ms.size() * 9 / 10], cpu[cpu.size() / 2]};
}

struct Cold {
  double tickMedian, tickMean, perSecond;
};

// Ticks of Timer1 every 200 ms for the given time; the CPU time of each.
Cold measureCold(const ClockSettings& settings, int w, int h, double seconds, bool whole) {
  FaceState state;
  state.NeedPrepare = true;
  DrawSurface surface(w, h);
  FaceRenderer renderer(settings, state, surface);
  renderer.setAlwaysDrawWhole(whole);
  renderer.Timer1_Timer();
  std::vector<double> cpu;
  const int ticks = static_cast<int>(seconds * 5);
  auto next = std::chrono::steady_clock::now();
  for (int i = 0; i < ticks; ++i) {
    next += std::chrono::milliseconds(200);
    std::this_thread::sleep_until(next);
    const double start = threadCpuMs();
    renderer.Timer1_Timer();
    cpu.push_back(threadCpuMs() - start);
  }
  const double total = std::accumulate(cpu.begin(), cpu.end(), 0.0);
  std::sort(cpu.begin(), cpu.end());
  return {cpu[cpu.size() / 2], total / ticks, total / seconds};
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  installFontSubstitutes();
  QTemporaryDir dir;

  ClockSettings first = FirstRunSettings();
  ClockSettings busy = FirstRunSettings();
  busy.mPset = true;
  busy.nHari = true;
  ClockSettings picture = FirstRunSettings();
  picture.BackBMP = writeJpeg(dir.path());

  struct Case {
    const char* name;
    const ClockSettings* settings;
    int w, h, frames;
    double targetMs;
  };
  const Case cases[] = {
      {"120x120 first-run look", &first, 120, 120, 20000, 0.1},
      {"120x120 dots, fan hands, text", &busy, 120, 120, 20000, 0.1},
      {"1920x1080 stretched JPEG background", &picture, 1920, 1080, 1000, 2.0},
  };
  // Other processes on the machine stretch the figures; say how busy it was.
  QFile load(QStringLiteral("/proc/loadavg"));
  if (load.open(QIODevice::ReadOnly))
    std::printf("load average: %s\n", load.readLine().trimmed().constData());
  load.close();
  std::printf("%-38s %10s %10s %14s %10s\n", "face", "median ms", "p90 ms", "cpu median ms",
              "target ms");
  for (const Case& c : cases) {
    const Result r = measure(*c.settings, c.w, c.h, c.frames);
    std::printf("%-38s %10.4f %10.4f %14.4f %10.1f\n", c.name, r.median, r.p90, r.cpuMedian,
                c.targetMs);
  }
  const double seconds = argc > 1 ? std::max(1.0, std::atof(argv[1])) : 20.0;
  std::printf("\ncold: one tick every 200 ms for %.0f s, CPU of the drawing thread\n", seconds);
  std::printf("%-38s %-8s %14s %12s %14s\n", "face", "draws", "tick median ms", "tick mean ms",
              "ms per second");
  for (const Case& c : cases) {
    double perSecond[2] = {0, 0};
    for (bool whole : {true, false}) {
      const Cold r = measureCold(*c.settings, c.w, c.h, seconds, whole);
      perSecond[whole ? 0 : 1] = r.perSecond;
      std::printf("%-38s %-8s %14.4f %12.4f %14.3f\n", c.name, whole ? "whole" : "changes",
                  r.tickMedian, r.tickMean, r.perSecond);
    }
    std::printf("%-38s %-8s %.1fx less CPU drawing only the changes\n", "", "",
                perSecond[1] > 0 ? perSecond[0] / perSecond[1] : 0.0);
  }
  if (load.open(QIODevice::ReadOnly))
    std::printf("load average at the end: %s\n", load.readLine().trimmed().constData());
  return 0;
}
