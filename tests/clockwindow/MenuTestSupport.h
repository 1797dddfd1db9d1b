#pragma once

#include <QMenu>
#include <QString>
#include <QStringList>

#include "QStringPrinter.h"
#include "ScopedPrompts.h"
#include "clockwindow/ClockWindowPort.h"
#include "desktop/Prompts.h"
#include "store/MemorySettingsStore.h"

namespace kwemo::menutest {

// A clock window that writes down what it is asked to do, one line per call.
class FakeClockWindow final : public ClockWindowPort {
 public:
  QStringList calls;
  bool tray = true;

  void ShowMsg(const QString& Msg, int wait) override {
    calls << QStringLiteral("ShowMsg(%1,%2)").arg(Msg).arg(wait);
  }
  void setMsgActive(bool active) override { calls << QStringLiteral("MsgActive=%1").arg(active); }
  void SetTopMost(bool onTop) override { calls << QStringLiteral("SetTopMost(%1)").arg(onTop); }
  void ChangeRgn(bool mode, bool msgmode, bool delreg) override {
    calls << QStringLiteral("ChangeRgn(%1,%2,%3)").arg(mode).arg(msgmode).arg(delreg);
  }
  void showClock() override { calls << QStringLiteral("show"); }
  void hideClock() override { calls << QStringLiteral("hide"); }
  bool trayAvailable() const override { return tray; }
  void unloadClock() override { calls << QStringLiteral("unload"); }
  void showSettings() override { calls << QStringLiteral("settings"); }
  void showAbout() override { calls << QStringLiteral("about"); }
  void bringToFront() override { calls << QStringLiteral("front"); }
  void letEventsRun() override { calls << QStringLiteral("events"); }
  void popUp(QMenu& menu, const QPoint&) override {
    calls << QStringLiteral("popUp(%1)").arg(menu.objectName());
  }
  QWidget* questionParent() const override { return nullptr; }
};

// A store whose writes can be made to fail.
class FlakyStore final : public MemorySettingsStore {
 public:
  bool failWrites = false;
  bool write(const QString& application, const QString& section, const QString& key,
             const QString& text) override {
    return !failWrites && MemorySettingsStore::write(application, section, key, text);
  }
  QString lastFailure() const override { return QStringLiteral("/somewhere/KWEMO.ini: disk full"); }
};

using test::ScopedPrompts;

}  // namespace kwemo::menutest
