#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>

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

}  // namespace
}  // namespace kwemo
