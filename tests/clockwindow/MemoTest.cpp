#include <gtest/gtest.h>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include <optional>

#include "Controls.h"
#include "MenuTestSupport.h"
#include "Waits.h"
#include "clockwindow/Memo.h"
#include "clockwindow/MemoCommands.h"
#include "clockwindow/MemoHost.h"
#include "clockwindow/frmMemo.h"

namespace kwemo {
namespace {

using menutest::FlakyStore;
using menutest::ScopedPrompts;
using test::control;

const QString kEleven = QStringLiteral("abcdefghijk");

// The clock's side of the memo, over a stored memo, with scripted boxes.
class FakeHost final : public MemoHost {
 public:
  explicit FakeHost(const StoredMemo& memo) { WriteMemo(store, memo); }
  FlakyStore store;
  ScopedPrompts prompts;
  QStringList messages;
  std::optional<bool> itemsEnabled;  // unset: never touched
  bool copyEnabled = true;

  void ShowMsg(const QString& Msg, int wait) override {
    messages << QStringLiteral("%1,%2").arg(Msg).arg(wait);
  }
  void setMemoItemsEnabled(bool enabled) override { itemsEnabled = enabled; }
  bool memoCopyEnabled() const override { return copyEnabled; }
};

QLineEdit& title(frmMemo& memo) { return control<QLineEdit>(memo, "txtTitle"); }
QPlainTextEdit& text(frmMemo& memo) { return control<QPlainTextEdit>(memo, "txtMemo"); }

TEST(Memo, ShortTitleLineBreaksAndStoreKeys) {
  const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two UTF-16 units
  EXPECT_EQ(ShortTitle("123456789" + emoji), "123456789" + emoji);
  EXPECT_EQ(ShortTitle("123456789" + emoji + "x"), "123456789" + emoji + "...");
  // Texts from elsewhere (lone CR, CR LF already there) still end up as CR LF, never CR CR LF.
  EXPECT_EQ(ToStoredLineBreaks("a\r\nb\rc\n"), "a\r\nb\r\nc\r\n");
  MemorySettingsStore store;
  ASSERT_TRUE(WriteMemo(store, {kEleven, "l1\nl2"}));
  EXPECT_EQ(store.read("KWEMO", "Memo", "Title") + store.read("KWEMO", "Memo", "Memo"),
            kEleven + "l1\r\nl2");
}

TEST(frmMemo, CloseQuestionInEachBranch) {
  const struct {
    QString title, text;
    std::optional<Answer> answer;  // unset: no question expected
    bool failWrites, closes;
    QString stored;  // title|text
    std::optional<bool> itemsEnabled;
  } cases[] = {
      {"", "", {}, false, true, "old|old text", {}},  // both empty
      {"", "line1\nline2", Answer::Yes, false, true, "[No Title]|line1\r\nline2", true},
      {"new", "x", Answer::No, false, true, "old|old text", {}},
      {"new", "x", Answer::Cancel, false, false, "old|old text", {}},
      {"new", "x", Answer::Yes, true, false, "old|old text", {}}  // unsaved: stays on screen
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    FakeHost host({"old", "old text"});
    if (c.answer) host.prompts.scripted.answer(*c.answer);
    QPointer<frmMemo> memo = new frmMemo(host.store, host);
    memo->show();
    title(*memo).setText(c.title);
    text(*memo).setPlainText(c.text);
    host.store.failWrites = c.failWrites;

    EXPECT_EQ(memo->close(), c.closes);
    // A failed save is followed by the box that says so.
    ASSERT_EQ(host.prompts.scripted.asked().size(),
              (c.answer ? 1u : 0u) + (c.failWrites ? 1u : 0u));
    if (c.answer) {
      EXPECT_EQ(host.prompts.scripted.asked()[0].text,
                "メモ " + (c.title.isEmpty() ? "[No Title]" : c.title) + " を保存しますか？");
    }
    EXPECT_EQ(ReadMemo(host.store).title + "|" + ReadMemo(host.store).text, c.stored);
    EXPECT_EQ(host.itemsEnabled, c.itemsEnabled);
    test::flushDeletes();
    EXPECT_EQ(memo.isNull(), c.closes);  // a closed memo window unloads itself
    delete memo.data();
  }
}

TEST(frmMemo, LoadCaptionLayoutAndEnterInTheTitle) {
  FakeHost host({"Shopping", "milk\r\nbread"});
  frmMemo memo(host.store, host);
  EXPECT_EQ(memo.windowTitle() + "|" + text(memo).toPlainText(), "Shopping|milk\nbread");
  title(memo).setText("");
  EXPECT_EQ(memo.windowTitle(), "Memo");

  memo.show();
  memo.resize(400, 300);
  const int th = title(memo).height();
  EXPECT_EQ(text(memo).geometry(), QRect(0, th, 400, 300 - th));
  memo.resize(250, th - 1);  // shorter than the title: the text stays where it was
  EXPECT_EQ(title(memo).geometry(), QRect(0, 0, 250, th));
  EXPECT_EQ(text(memo).geometry(), QRect(0, th, 400, 300 - th));

  memo.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&memo));
  title(memo).setFocus();
  QTest::keyClick(&title(memo), Qt::Key_Return);
  EXPECT_TRUE(text(memo).hasFocus());
  QTest::keyClick(&text(memo), Qt::Key_Return);  // Enter in the text is a line break
  EXPECT_EQ(text(memo).toPlainText().count(u'\n'), 2);
  memo.discard();
  EXPECT_TRUE(host.prompts.scripted.asked().empty());  // discarding asks nothing
}

// What was stored (by an older, longer memo) is shown whole; what is typed or pasted is bounded,
// so that whatever was typed can be saved.
TEST(frmMemo, TheMemoIsBoundedWhereItIsTyped) {
  const QString stored(frmMemo::kMaxTextLength + 10, u'o');
  FakeHost host({"t", stored});
  auto memo = std::make_unique<frmMemo>(host.store, host);
  EXPECT_EQ(text(*memo).toPlainText(), stored);
  memo->discard();
  ASSERT_TRUE(WriteMemo(host.store, {"t", "abc"}));
  memo = std::make_unique<frmMemo>(host.store, host);
  text(*memo).moveCursor(QTextCursor::End);
  text(*memo).insertPlainText(QString(frmMemo::kMaxTextLength, u'x'));  // a paste
  QTest::keyClicks(&text(*memo), "yz");
  EXPECT_EQ(text(*memo).toPlainText(), "abc" + QString(frmMemo::kMaxTextLength - 3, u'x'));
  title(*memo).setText(QString(frmMemo::kMaxTitleLength + 5, u't'));
  EXPECT_EQ(title(*memo).text().size(), frmMemo::kMaxTitleLength);
  EXPECT_TRUE(WriteMemo(host.store, {title(*memo).text(), text(*memo).toPlainText()}));
  memo->discard();
}

TEST(MemoCommands, ClearAndCopyWithEachAnswer) {
  const QString full = "abcdefghijk\r\n--------\r\nl1\r\nl2";
  const struct {
    bool copy;
    Answer answer;
    bool copyEnabled, failWrites;
    QString message, clipboard;
    std::optional<bool> itemsEnabled;  // set only when the memo was cleared
  } cases[] = {
      {false, Answer::Yes, true, false, "Memo Cleared.,0", "before", false},
      {false, Answer::No, true, false, "", "before", {}},
      {false, Answer::Yes, true, true, "", "before", {}},  // the store fails
      {true, Answer::Ok, true, false, "Memo Copied.,0", full, {}},
      {true, Answer::Ok, false, false, "", "before", {}},  // the item is disabled
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    FakeHost host({kEleven, "l1\nl2"});
    host.store.failWrites = c.failWrites;
    host.copyEnabled = c.copyEnabled;
    host.prompts.scripted.answer(c.answer);
    QGuiApplication::clipboard()->setText("before");
    MemoCommands commands(host.store, host);
    c.copy ? commands.Copy() : commands.Clear();

    ASSERT_EQ(host.prompts.scripted.asked().size(),
              (c.copyEnabled ? 1u : 0u) + (c.failWrites ? 1u : 0u));
    if (c.copyEnabled) {
      EXPECT_EQ(host.prompts.scripted.asked()[0].text,
                c.copy ? "メモ abcdefghij... をクリップボードにコピーします."
                       : "メモ abcdefghij... を消去します.\r\nよろしいですか？");
    }
    EXPECT_EQ(host.messages.join('|'), c.message);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), c.clipboard);
    EXPECT_EQ(ReadMemo(host.store).exists(), !c.itemsEnabled.has_value());
    EXPECT_EQ(host.itemsEnabled, c.itemsEnabled);
  }
}

TEST(MemoCommands, OpenKeepsEditsAndClearLeavesAnOpenWindowAlone) {
  FakeHost host({"title", "text"});
  {
    MemoCommands commands(host.store, host);
    commands.Open();
    frmMemo* memo = commands.window();
    ASSERT_NE(memo, nullptr);
    text(*memo).setPlainText("edited");
    commands.Open();
    EXPECT_EQ(text(*commands.window()).toPlainText(), "edited");
    EXPECT_EQ(host.messages.join('|'), "MEMO Edit/View,0|MEMO Edit/View,0");
    host.prompts.scripted.answer(Answer::Yes);
    commands.Clear();
    EXPECT_EQ(ReadMemo(host.store).title, "");
    EXPECT_EQ(title(*memo).text(), "title");
    title(*memo).setText("unsaved");
  }  // the clock ends: the open window goes without its question
  EXPECT_EQ(host.prompts.scripted.asked().size(), 1u);
  EXPECT_EQ(ReadMemo(host.store).title, "");
}

}  // namespace
}  // namespace kwemo
