#pragma once

#include <QResizeEvent>
#include <QWidget>
#include <vector>

#include "clock/ClockSettingsStorage.h"
#include "clock/FaceState.h"
#include "settings/SettingsHost.h"
#include "settings/frmSetting.h"

namespace kwemo::test {

// A stand-in for the clock window: a real top-level widget whose client area is the clock's, so
// a size set through the host really resizes a window, and a resize reports back to the dialog
// as the clock window's resize step does.
class FakeClock : public QWidget, public SettingsHost {
 public:
  FakeClock() { setGeometry(300, 200, 120, 120); }

  QSize ClientSize() const override { return size(); }
  void SetClientSize(QSize s) override {
    requested.push_back(s);
    resize(s);
  }
  FaceState& Face() override { return face; }
  // Like the menu's captions, each ends in a four-character accelerator.
  QString DrawModeCaption(int mode) const override {
    return QStringLiteral("%1 - Pen(&X)").arg(mode, 2, 10, QLatin1Char('0'));
  }
  void SetTopMost(QWidget* window, bool onTop, QWidget* after) override {
    stacked.push_back({window, onTop, after});
  }

  struct Stacking {
    QWidget* window;
    bool onTop;
    QWidget* after;
  };
  FaceState face;
  std::vector<QSize> requested;
  std::vector<Stacking> stacked;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    SettingsClockResized(e->size());
  }
};

}  // namespace kwemo::test
