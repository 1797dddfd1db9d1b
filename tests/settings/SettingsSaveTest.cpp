// OK and Apply put the applied record on disk at once, so that a crash later loses nothing.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "Controls.h"
#include "FakeHost.h"
#include "clock/ClockSettingsStorage.h"
#include "desktop/Prompts.h"

namespace kwemo {
namespace {

using test::control;

TEST(SettingsSave, OkAndApplySaveTheAppliedRecordAndNothingElseDoes) {
  struct Case {
    const char* name;
    const char* length;  // typed into the hour hand's length box
    std::function<void(frmSetting&)> press;
    QStringList formatsSaved;  // the record's format at each save
  };
  const Case cases[] = {
      {"Apply", "60", [](frmSetting& d) { control<QPushButton>(d, "cmdAccept").click(); }, {"ss"}},
      {"Apply twice",
       "60",
       [](frmSetting& d) {
         control<QPushButton>(d, "cmdAccept").click();
         control<QLineEdit>(d, "txtDF").setText("tt");
         control<QPushButton>(d, "cmdAccept").click();
       },
       {"ss", "tt"}},
      {"OK", "60", [](frmSetting& d) { control<QPushButton>(d, "cmdOK").click(); }, {"ss"}},
      {"Cancel", "60", [](frmSetting& d) { control<QPushButton>(d, "cmdCancel").click(); }, {}},
      {"Esc", "60", [](frmSetting& d) { QTest::keyClick(&d, Qt::Key_Escape); }, {}},
      {"OK refused", "x", [](frmSetting& d) { control<QPushButton>(d, "cmdOK").click(); }, {}},
      {"Apply refused",
       "x",
       [](frmSetting& d) { control<QPushButton>(d, "cmdAccept").click(); },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedPrompts prompts;
    setPrompts(&prompts);
    ClockSettings settings = FirstRunSettings();
    test::FakeClock clock;
    QStringList saved;
    clock.onSave = [&] { saved << settings.Format; };
    QPointer<frmSetting> dlg = new frmSetting(settings, clock);
    dlg->show();
    control<QLineEdit>(*dlg, "txtDF").setText("ss");
    control<QLineEdit>(*dlg, "txtLong", 0).setText(c.length);
    c.press(*dlg);
    EXPECT_EQ(saved, c.formatsSaved);
    EXPECT_EQ(clock.saves, c.formatsSaved.size());
    delete dlg.data();
    SettingOpen = false;
    setPrompts(nullptr);
  }
}

}  // namespace
}  // namespace kwemo
