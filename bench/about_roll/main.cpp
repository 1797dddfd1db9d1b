// How long the about box's animation and credits roll really take, with the real frame pauses,
// and what the drawing alone costs (pauses skipped). Runs on the offscreen platform by default.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

#include "about/frmAbout.h"
#include "surface/Fonts.h"
#include "surface/view/SurfaceView.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  kwemo::installFontSubstitutes();

  auto* box = new kwemo::frmAbout;
  box->show();
  const float textHeight = box->findChild<kwemo::SurfaceView*>(QStringLiteral("picScrTxt"))
                               ->surface()
                               .TextHeight(QStringLiteral("A"));
  const double scrollFrames = (3 * 70 + 40 * textHeight + 117) / 2;
  std::printf("text height %.0f px, scroll about %.1f frames; nominal pauses %.0f ms\n",
              static_cast<double>(textHeight), scrollFrames, 16 * 5 + 16 * 10 + scrollFrames * 10);

  for (int run = 1; run <= 3; ++run) {
    box->setFrameWait(nullptr);
    QElapsedTimer timer;
    timer.start();
    box->RollCredits();
    const qint64 real = timer.elapsed();

    int frames = 0;
    box->setFrameWait([&frames](int) { ++frames; });
    timer.restart();
    box->RollCredits();
    const double drawing = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    std::printf("run %d: roll %lld ms with real pauses; %d frames drawn in %.1f ms without them\n",
                run, static_cast<long long>(real), frames, drawing);
  }
  delete box;
  return 0;
}
