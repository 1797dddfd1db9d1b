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
#include "clockwindow/Memo.h"
#include "clockwindow/MemoCommands.h"
#include "clockwindow/MemoHost.h"
#include "clockwindow/frmMemo.h"

namespace kwemo {
namespace {

using test::control;

using menutest::FlakyStore;
using menutest::ScopedPrompts;

const QString kEleven = QStringLiteral("abcdefghijk");

class FakeHost final : public MemoHost {
 public:
  QStringList messages;
  std::optional<bool> itemsEnabled;  // unset: never touched
  bool copyEnabled = true;

  void ShowMsg(const QString& Msg, int wait) override {
    messages << QStringLiteral("%1,%2").arg(Msg).arg(wait);
  }
  void setMemoItemsEnabled(bool enabled) override { itemsEnabled = enabled; }
  bool memoCopyEnabled() const override { return copyEnabled; }
};

TEST(Memo, ShortTitleLineBreaksAndClipboardText) {
  const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // one character, two UTF-16 units
  const struct {
    QString title, expected;
  } titles[] = {
      {"abcdefghij", "abcdefghij"},
      {"123456789" + emoji, "123456789" + emoji},
      {"123456789" + emoji + "x", "123456789" + emoji + "..."},
  };
  for (const auto& c : titles) EXPECT_EQ(ShortTitle(c.title), c.expected) << c.title.toStdString();

  const struct {
    QString field, stored;
  } breaks[] = {{"a\nb", "a\r\nb"}, {"a\n\nb\n", "a\r\n\r\nb\r\n"}, {"", ""}};
  for (const auto& c : breaks) {
    EXPECT_EQ(ToStoredLineBreaks(c.field), c.stored);
    EXPECT_EQ(FromStoredLineBreaks(c.stored), c.field);
  }
  // Texts from elsewhere (lone CR, CR LF already there) still end up as CR LF, never CR CR LF.
  EXPECT_EQ(ToStoredLineBreaks("a\r\nb\rc"), "a\r\nb\r\nc");

  MemorySettingsStore store;
  EXPECT_EQ(ReadMemo(store).title, "");
  EXPECT_FALSE(ReadMemo(store).exists());
  ASSERT_TRUE(WriteMemo(store, {kEleven, "l1\nl2"}));
  EXPECT_EQ(store.read("kwemo", "memo", "title"), kEleven);
  EXPECT_EQ(store.read("KWEMO", "Memo", "Memo"), "l1\r\nl2");
  EXPECT_EQ(MemoClipboardText(ReadMemo(store)), "abcdefghijk\r\n--------\r\nl1\r\nl2");
}

TEST(frmMemo, CloseQuestionInEachBranch) {
  struct Case {
    QString title, text;
    std::optional<Answer> answer;  // unset: no question expected
    bool failWrites, closes;
    QString storedTitle, storedText;
    std::optional<bool> itemsEnabled;
  };
  const Case cases[] = {
      {"", "", {}, false, true, "old", "old text", {}},  // both empty
      {"", "line1\nline2", Answer::Yes, false, true, "[No Title]", "line1\r\nline2", true},
      {"new", "x", Answer::No, false, true, "old", "old text", {}},
      {"new", "x", Answer::Cancel, false, false, "old", "old text", {}},
      {"new", "x", Answer::Yes, true, false, "old", "old text", {}}  // unsaved: stays on screen
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    FlakyStore store;
    WriteMemo(store, {"old", "old text"});
    FakeHost host;
    ScopedPrompts prompts;
    if (c.answer) prompts.scripted.answer(*c.answer);
    QPointer<frmMemo> memo = new frmMemo(store, host);
    memo->show();
    control<QLineEdit>(*memo, "txtTitle").setText(c.title);
    control<QPlainTextEdit>(*memo, "txtMemo").setPlainText(c.text);
    store.failWrites = c.failWrites;

    EXPECT_EQ(memo->close(), c.closes);
    // A failed save is followed by the box that says so.
    ASSERT_EQ(prompts.scripted.asked().size(), (c.answer ? 1u : 0u) + (c.failWrites ? 1u : 0u));
    if (c.answer) {
      const auto& q = prompts.scripted.asked()[0];
      EXPECT_EQ(q.text,
                "メモ " + (c.title.isEmpty() ? "[No Title]" : c.title) + " を保存しますか？");
      EXPECT_EQ(q.buttons, Buttons::YesNoCancel);
    }
    EXPECT_EQ(ReadMemo(store).title, c.storedTitle);
    EXPECT_EQ(ReadMemo(store).text, c.storedText);
    EXPECT_EQ(host.itemsEnabled, c.itemsEnabled);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(memo.isNull(), c.closes) << "a closed memo window unloads itself";
    delete memo.data();
  }
}

TEST(frmMemo, LoadCaptionLayoutAndEnterInTheTitle) {
  MemorySettingsStore store;
  WriteMemo(store, {"Shopping", "milk\r\nbread"});
  FakeHost host;
  ScopedPrompts prompts;
  prompts.scripted.answer(Answer::No);
  frmMemo memo(store, host);
  EXPECT_EQ(control<QLineEdit>(memo, "txtTitle").text(), "Shopping");
  EXPECT_EQ(control<QPlainTextEdit>(memo, "txtMemo").toPlainText(), "milk\nbread");
  control<QLineEdit>(memo, "txtTitle").setText("");
  EXPECT_EQ(memo.windowTitle(), "Memo");
  control<QLineEdit>(memo, "txtTitle").setText("Shopping");

  memo.show();
  memo.resize(400, 300);
  const int th = control<QLineEdit>(memo, "txtTitle").height();
  EXPECT_EQ(control<QLineEdit>(memo, "txtTitle").geometry(), QRect(0, 0, 400, th));
  EXPECT_EQ(control<QPlainTextEdit>(memo, "txtMemo").geometry(), QRect(0, th, 400, 300 - th));
  memo.resize(250, th - 1);  // shorter than the title: the text stays where it was
  EXPECT_EQ(control<QLineEdit>(memo, "txtTitle").geometry(), QRect(0, 0, 250, th));
  EXPECT_EQ(control<QPlainTextEdit>(memo, "txtMemo").geometry(), QRect(0, th, 400, 300 - th));

  memo.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&memo));
  control<QLineEdit>(memo, "txtTitle").setFocus();
  QTest::keyClick(&control<QLineEdit>(memo, "txtTitle"), Qt::Key_Return);
  EXPECT_TRUE(control<QPlainTextEdit>(memo, "txtMemo").hasFocus());
  EXPECT_EQ(control<QLineEdit>(memo, "txtTitle").text(), "Shopping");
  QTest::keyClick(&control<QPlainTextEdit>(memo, "txtMemo"),
                  Qt::Key_Return);  // Enter in the text is a line break
  EXPECT_EQ(control<QPlainTextEdit>(memo, "txtMemo").toPlainText().count(u'\n'), 2);
  memo.discard();
  EXPECT_TRUE(prompts.scripted.asked().empty()) << "discarding asks nothing";
}

TEST(MemoCommands, ClearAndCopyWithEachAnswer) {
  struct Case {
    const char* name;
    bool copy;
    Answer answer;
    bool copyEnabled, failWrites;
    QString message, clipboard;
    bool cleared;
    std::optional<bool> itemsEnabled;
  };
  const QString full = "abcdefghijk\r\n--------\r\nl1\r\nl2";
  const Case cases[] = {
      {"clear, yes", false, Answer::Yes, true, false, "Memo Cleared.,0", "before", true, false},
      {"clear, no", false, Answer::No, true, false, "", "before", false, {}},
      {"clear, store fails", false, Answer::Yes, true, true, "", "before", false, {}},
      {"copy, ok", true, Answer::Ok, true, false, "Memo Copied.,0", full, false, {}},
      {"copy, item disabled", true, Answer::Ok, false, false, "", "before", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlakyStore store;
    WriteMemo(store, {kEleven, "l1\nl2"});
    store.failWrites = c.failWrites;
    FakeHost host;
    host.copyEnabled = c.copyEnabled;
    ScopedPrompts prompts;
    prompts.scripted.answer(c.answer);
    QGuiApplication::clipboard()->setText("before");
    MemoCommands commands(store, host);
    c.copy ? commands.Copy() : commands.Clear();

    ASSERT_EQ(prompts.scripted.asked().size(),
              (c.copyEnabled ? 1u : 0u) + (c.failWrites ? 1u : 0u));
    if (c.copyEnabled) {
      const auto& q = prompts.scripted.asked()[0];
      EXPECT_EQ(q.text, c.copy ? "メモ abcdefghij... をクリップボードにコピーします."
                               : "メモ abcdefghij... を消去します.\r\nよろしいですか？");
    }
    EXPECT_EQ(host.messages.join('|'), c.message);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), c.clipboard);
    EXPECT_EQ(ReadMemo(store).title, c.cleared ? "" : kEleven);
    EXPECT_EQ(ReadMemo(store).text, c.cleared ? "" : "l1\r\nl2");
    EXPECT_EQ(host.itemsEnabled, c.itemsEnabled);
  }
}

TEST(MemoCommands, OpenKeepsEditsAndClearLeavesAnOpenWindowAlone) {
  MemorySettingsStore store;
  WriteMemo(store, {"title", "text"});
  FakeHost host;
  ScopedPrompts prompts;
  {
    MemoCommands commands(store, host);
    commands.Open();
    frmMemo* memo = commands.window();
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isVisible());
    control<QPlainTextEdit>(*memo, "txtMemo").setPlainText("edited");
    commands.Open();
    EXPECT_EQ(commands.window(), memo);
    EXPECT_EQ(control<QPlainTextEdit>(*memo, "txtMemo").toPlainText(), "edited");
    EXPECT_EQ(host.messages.join('|'), "MEMO Edit/View,0|MEMO Edit/View,0");

    prompts.scripted.answer(Answer::Yes);
    commands.Clear();
    EXPECT_EQ(host.itemsEnabled, false);
    EXPECT_EQ(ReadMemo(store).title, "");
    EXPECT_EQ(control<QLineEdit>(*memo, "txtTitle").text(), "title");

    prompts.scripted.answer(Answer::Yes);
    EXPECT_TRUE(memo->close());
    EXPECT_EQ(ReadMemo(store).title, "title");
    EXPECT_EQ(ReadMemo(store).text, "edited");
    EXPECT_EQ(host.itemsEnabled, true);

    commands.Open();
    control<QLineEdit>(*commands.window(), "txtTitle").setText("unsaved");
  }  // the clock ends: the open window goes without its question
  EXPECT_EQ(prompts.scripted.asked().size(), 2u);
  EXPECT_EQ(ReadMemo(store).title, "title");
}

}  // namespace
}  // namespace kwemo
