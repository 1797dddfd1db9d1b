#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QSignalSpy>

#include "MenuTestSupport.h"
#include "clockwindow/ClockPopupMenu.h"

namespace kwemo {
namespace {

using M = ClockPopupMenu;

TEST(ClockPopupMenu, ItemsInOrderWithCaptionsLabelsAndMarks) {
  struct Item {
    int index;
    QString caption, label;
    bool checkable;
  };
  const QString sep = "-";
  const Item items[] = {
      {0, "Always On Top(&A)", "Ctrl+A", true},
      {10, sep, "", false},
      {11, "メモの表示・編集(&M)", "Ctrl+M", false},
      {12, "メモ消去(&E)", "", false},
      {13, "メモをクリップボードにコピー(&C)", "Ctrl+C", false},
      {19, sep, "", false},
      {20, "クリップボード消去(&K)", "", false},
      {99, sep, "", false},
      {100, "Setting(&S)", "Ctrl+S", false},
      {101, "線画モード(&D)", "", false},
      {109, sep, "", false},
      {110, "円形フォーム(&F)", "Ctrl+F", true},
      {997, sep, "", false},
      {998, "タスクトレイに隠す(&T)", "F12", true},
      {999, sep, "", false},
      {32766, "About...(&V)", "", false},
      {32767, "End(&E)", "", false},
  };
  M menu;
  const QList<QAction*> shown = menu.mnuPopup().actions();
  ASSERT_EQ(shown.size(), static_cast<qsizetype>(std::size(items)));
  ASSERT_EQ(menu.indices().size(), std::size(items));
  for (std::size_t i = 0; i < std::size(items); ++i) {
    const Item& e = items[i];
    SCOPED_TRACE(e.index);
    QAction* item = menu.mPI(e.index);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(shown[static_cast<qsizetype>(i)], item);
    EXPECT_EQ(menu.indices()[i], e.index);
    EXPECT_EQ(item->isSeparator(), e.caption == sep);
    if (!item->isSeparator()) {
      EXPECT_EQ(M::caption(*item), e.caption);
    }
    EXPECT_EQ(M::shortcutLabel(*item), e.label);
    EXPECT_TRUE(item->shortcut().isEmpty()) << "the label is not a live shortcut";
    EXPECT_EQ(item->isCheckable(), e.checkable);
    EXPECT_FALSE(item->isChecked());
  }

  const char* const modes[] = {"01 - Blackness(&1)",       "02 - Not Merge Pen(&2)",
                               "03 - Mask Not Pen(&3)",    "04 - Not Copy Pen(&4)",
                               "05 - Mask Pen Not(&5)",    "06 - Invert(&6)",
                               "07 - Xor Pen(&7)",         "08 - Not Mask Pen(&8)",
                               "09 - Mask Pen(&9)",        "10 - Not Xor Pen(&0)",
                               "11 - No operation(&A)",    "12 - Merge Not Pen(&B)",
                               "13 - (標準) Copy Pen(&C)", "14 - Merge Pen Not(&D)",
                               "15 - Merge Pen(&E)",       "16 - White(&F)"};
  QMenu* sub = menu.mPI(101)->menu();
  ASSERT_NE(sub, nullptr);
  ASSERT_EQ(sub->actions().size(), 16);
  for (int n = 1; n <= 16; ++n) {
    EXPECT_EQ(sub->actions()[n - 1], menu.mDM(n));
    EXPECT_EQ(menu.mDM(n)->text(), QString::fromUtf8(modes[n - 1]));
    EXPECT_TRUE(menu.mDM(n)->isCheckable());
  }
  EXPECT_TRUE(!menu.mDM(0) && !menu.mDM(17) && !menu.mPI(5));
}

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
