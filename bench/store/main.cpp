// Times the shut-down save (every field and window value, in the save order) through the file
// store, batched as the shut-down does it and, for comparison, one file replacement per write.
// Usage: bench_store [folder]   (default: a temporary folder beside the real settings folder,
// so the figure is for the disk the settings live on)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "clock/ClockSettingsStorage.h"
#include "store/FileSettingsStore.h"
#include "store/MemorySettingsStore.h"

namespace {

struct Figures {
  double median, max;
};

template <typename F>
Figures time(int runs, F&& run) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer t;
    t.start();
    run(i);
    ms.push_back(t.nsecsElapsed() / 1e6);
  }
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.back()};
}

// Forwards every write on its own, so each one replaces the file.
class Unbatched : public kwemo::SettingsStore {
 public:
  explicit Unbatched(kwemo::SettingsStore& inner) : inner_(inner) {}
  QString read(const QString& a, const QString& s, const QString& k) const override {
    return inner_.read(a, s, k);
  }
  bool write(const QString& a, const QString& s, const QString& k, const QString& t) override {
    return inner_.write(a, s, k, t);
  }

 private:
  kwemo::SettingsStore& inner_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  QDir().mkpath(base);
  QTemporaryDir temp(base + QStringLiteral("/kwemo-bench-XXXXXX"));
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();

  kwemo::ClockSettings settings = kwemo::FirstRunSettings();
  settings.Format = QStringLiteral("yyyy/mm/dd hh:nn:ss");
  kwemo::WindowState window{1800, 2400, 1935, 2010, true, false};

  kwemo::FileSettingsStore store(folder);
  // The memo lives in the same file; give it a realistic size.
  store.write(kwemo::settingsApplication(), QStringLiteral("Memo"), QStringLiteral("Memo"),
              QString(2000, u'メ'));
  kwemo::MemorySettingsStore counter;
  kwemo::SaveClockSettings(counter, settings, window);
  const int writes = static_cast<int>(counter.writeLog().size());

  constexpr int kRuns = 31;
  const Figures batched = time(kRuns, [&](int i) {
    window.Left = float(i);
    kwemo::SaveClockSettings(store, settings, window);
  });
  Unbatched single(store);
  const Figures unbatched = time(9, [&](int i) {
    window.Left = float(i);
    kwemo::SaveClockSettings(single, settings, window);
  });
  const Figures load = time(kRuns, [&](int) {
    kwemo::FileSettingsStore fresh(folder);
    kwemo::ClockSettings s;
    kwemo::LoadClockSettings(fresh, s);
  });
  std::printf("settings folder: %s\n", qPrintable(folder));
  std::printf("shut-down save, %d writes in one batch:   median %.2f ms, max %.2f ms (%d runs)\n",
              writes, batched.median, batched.max, kRuns);
  std::printf("same writes, one file replacement each:  median %.2f ms, max %.2f ms (9 runs)\n",
              unbatched.median, unbatched.max);
  std::printf("start-up load into a fresh store:        median %.3f ms, max %.3f ms (%d runs)\n",
              load.median, load.max, kRuns);
  return 0;
}
