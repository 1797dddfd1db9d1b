// Times what the settings dialog does while the user types and watches: one keystroke in the
// picture path (a path that names no file yet, the keystroke that completes the path of a large
// JPEG, the same path typed again), and one preview tick with and without that picture.
// Usage: QT_QPA_PLATFORM=offscreen bench_dialog
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "clock/ClockSettingsStorage.h"
#include "clock/FaceState.h"
#include "settings/SettingsHost.h"
#include "settings/frmSetting.h"

namespace {

class BenchHost : public kwemo::SettingsHost {
 public:
  QSize ClientSize() const override { return {120, 120}; }
  void SetClientSize(QSize) override {}
  kwemo::FaceState& Face() override { return face_; }
  QString DrawModeCaption(int mode) const override {
    return QStringLiteral("%1 - Mode(&X)").arg(mode, 2, 10, QLatin1Char('0'));
  }
  void SetTopMost(QWidget*, bool, QWidget*) override {}
  void SaveSettings(QWidget*) override {}

 private:
  kwemo::FaceState face_;
};

struct Figures {
  double median, max;
};

Figures summarise(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms[ms.size() / 2], ms.back()};
}

double timed(const std::function<void()>& f) {
  QElapsedTimer t;
  t.start();
  f();
  return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("large-background.jpg"));
  {
    QImage big(4000, 3000, QImage::Format_RGB32);
    QPainter p(&big);
    p.fillRect(big.rect(), QLinearGradient(0, 0, 4000, 3000));
    for (int i = 0; i < 200; ++i)
      p.fillRect(i * 20, (i * 37) % 3000, 300, 200, QColor::fromHsv(i, 200, 200));
    p.end();
    if (!big.save(path, "JPEG", 90)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
  }

  kwemo::ClockSettings settings = kwemo::FirstRunSettings();
  BenchHost host;
  kwemo::frmSetting dlg(settings, host);
  auto* box = dlg.findChild<QLineEdit*>(QStringLiteral("txtBackFile"));

  // Typing the path character by character: every prefix is tried, none names a file.
  std::vector<double> prefixes;
  for (int n = 1; n < path.size(); ++n)
    prefixes.push_back(timed([&] { box->setText(path.left(n)); }));
  const double completing = timed([&] { box->setText(path); });
  // Backspace and the last character again, many times: the picture is decoded only once.
  std::vector<double> again;
  for (int i = 0; i < 50; ++i) {
    again.push_back(timed([&] { box->setText(path.chopped(1)); }));
    again.push_back(timed([&] { box->setText(path); }));
  }

  std::vector<double> withPicture, without;
  for (int i = 0; i < 200; ++i) withPicture.push_back(timed([&] { dlg.timI_Timer(); }));
  box->clear();
  for (int i = 0; i < 200; ++i) without.push_back(timed([&] { dlg.timI_Timer(); }));

  const Figures p = summarise(prefixes), a = summarise(again), w = summarise(withPicture),
                o = summarise(without);
  std::printf("picture path keystroke, no file yet (%zu prefixes): median %.3f ms, max %.3f ms\n",
              prefixes.size(), p.median, p.max);
  std::printf("keystroke completing a 4000x3000 JPEG path (decodes): %.1f ms\n", completing);
  std::printf("same path typed again (100 keystrokes): median %.3f ms, max %.3f ms\n", a.median,
              a.max);
  std::printf("preview tick 129x124, first-run look: median %.3f ms, max %.3f ms\n", o.median,
              o.max);
  std::printf("preview tick 129x124, 4000x3000 picture stretched: median %.3f ms, max %.3f ms\n",
              w.median, w.max);
  return 0;
}
