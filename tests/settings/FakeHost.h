#pragma once

#include <QPointer>
#include <QResizeEvent>
#include <QWidget>

#include "Controls.h"
#include "ScopedPrompts.h"
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
  void SetClientSize(QSize s) override { resize(s); }
  FaceState& Face() override { return face; }
  // Like the menu's captions, each ends in a four-character accelerator.
  QString DrawModeCaption(int mode) const override {
    return QStringLiteral("%1 - Pen(&X)").arg(mode, 2, 10, QLatin1Char('0'));
  }
  void SetTopMost(QWidget*, bool, QWidget* after) override { stackedAfter = after; }
  void SaveSettings(QWidget*) override { saved << settings->Format; }

  FaceState face;
  const ClockSettings* settings = nullptr;
  QWidget* stackedAfter = nullptr;  // the window the last one placed was put above
  QStringList saved;                // the record's format at each save

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    SettingsClockResized(e->size());
  }
};

// One shown dialog over a fake clock with scripted prompts, cleaned up whatever the test did.
struct OpenDialog {
  explicit OpenDialog(const ClockSettings& record = FirstRunSettings(), frmSetting::Clock at = {})
      : settings(record) {
    clock.settings = &settings;
    clock.show();
    dlg = new frmSetting(settings, clock, nullptr, std::move(at));
    dlg->show();
  }
  ~OpenDialog() {
    delete dlg.data();
    SettingOpen = false;
  }
  // A control of the dialog by its name.
  template <class T>
  T& c(const char* name, int index = -1) {
    return control<T>(*dlg, name, index);
  }

  ScopedPrompts scope;
  ScriptedPrompts& prompts = scope.scripted;
  ClockSettings settings;
  FakeClock clock;
  QPointer<frmSetting> dlg;
};

}  // namespace kwemo::test
