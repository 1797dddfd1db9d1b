#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include "MenuTestSupport.h"
#include "clockwindow/ClockPopupMenu.h"

namespace kwemo {
namespace {

using M = ClockPopupMenu;

TEST(ClockPopupMenu, FaceRefreshFromTheStoredTitleAndDrawMode) {
  const struct {
    QString title, caption;
    bool enabled;
  } cases[] = {
      {"", "メモ作成(&M)", false},
      {"0123456789", "メモの表示・編集(&M) - 0123456789", true},
      {"0123456789A", "メモの表示・編集(&M) - 0123456789...", true},
      {"", "メモ作成(&M)", false},  // back to no memo after one existed
  };
  M menu;
  int drawMode = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title.toStdString());
    menu.refresh(c.title, drawMode);
    EXPECT_EQ(M::caption(*menu.mPI(11)), c.caption);
    EXPECT_EQ(M::shortcutLabel(*menu.mPI(11)), "Ctrl+M");
    EXPECT_EQ(menu.enabled(12), c.enabled);
    EXPECT_EQ(menu.enabled(13), c.enabled);
    EXPECT_TRUE(menu.enabled(11));
    for (int n = 1; n <= 16; ++n) EXPECT_EQ(menu.mDM(n)->isChecked(), n == drawMode) << n;
    drawMode += 6;
  }
  menu.checkDrawMode(99);  // a stored mode outside the menu ticks nothing
  for (int n = 1; n <= 16; ++n) EXPECT_FALSE(menu.mDM(n)->isChecked());
}

TEST(ClockPopupMenu, ClicksReportTheirCodeAndLeaveTheMarksToTheCommands) {
  M menu;
  QSignalSpy items(&menu, &M::mPI_Clicked);
  QSignalSpy modes(&menu, &M::mDM_Clicked);
  menu.mPI(0)->trigger();
  menu.mPI(110)->trigger();
  menu.mPI(32767)->trigger();
  menu.checkDrawMode(13);
  menu.mDM(5)->trigger();
  menu.mDM(13)->trigger();
  auto codes = [](const QSignalSpy& spy) {
    QList<int> got;
    for (const auto& args : spy) got << args[0].toInt();
    return got;
  };
  EXPECT_EQ(codes(items), (QList<int>{0, 110, 32767}));
  EXPECT_EQ(codes(modes), (QList<int>{5, 13}));
  EXPECT_FALSE(menu.checked(0));
  EXPECT_FALSE(menu.checked(110));
  EXPECT_FALSE(menu.mDM(5)->isChecked());
  EXPECT_TRUE(menu.mDM(13)->isChecked());
}

}  // namespace
}  // namespace kwemo
