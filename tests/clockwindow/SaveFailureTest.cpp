// Saves the user asked for reach the file at once, and a save that fails is never silent: a box
// names the file and the reason, and at shut-down one line on stderr does.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>

#include "Controls.h"
#include "MenuTestSupport.h"
#include "clock/ClockSettings.h"
#include "clockwindow/ClockWindowCommands.h"
#include "clockwindow/Memo.h"
#include "clockwindow/MemoCommands.h"
#include "clockwindow/MemoHost.h"
#include "clockwindow/frmClock.h"
#include "clockwindow/frmMemo.h"
#include "store/FileSettingsStore.h"

namespace kwemo {
namespace {

using test::control;

using menutest::ScopedPrompts;

// Everything written to stderr while it lives.
class CapturedStderr {
 public:
  CapturedStderr() {
    std::fflush(stderr);
    saved_ = ::dup(2);
    file_ = std::tmpfile();
    ::dup2(::fileno(file_), 2);
  }
  ~CapturedStderr() {
    restore();
    std::fclose(file_);
  }
  QByteArray text() {
    restore();
    std::rewind(file_);
    QByteArray all;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file_)) > 0;) all.append(buffer, n);
    return all;
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, 2);
    ::close(saved_);
    saved_ = -1;
  }
  int saved_ = -1;
  std::FILE* file_ = nullptr;
};

// A clock on a store in a temporary folder.
struct OnDisk {
  QTemporaryDir dir;
  FileSettingsStore store{dir.path()};
  ScopedPrompts prompts;
  ClockSettings settings;
  frmClock clock{settings, store, [] {}};
  ClockWindowCommands* wiring = new ClockWindowCommands(clock);

  OnDisk() {
    store.write("KWEMO", "Setting", "Runed", "True");
    clock.Form_Load();
  }
  QString file() const { return store.filePath("KWEMO"); }
  // From now on every write fails: a directory stands where the file is.
  void breakTheFile() {
    QFile::remove(file());
    QDir().mkpath(file() + "/x");
  }
};

TEST(SaveFailure, ApplyWritesTheFileAtOnceAndAFailedSaveSaysWhereAndWhy) {
  OnDisk d;
  d.settings.Format = "applied";
  d.wiring->SaveSettings(nullptr);
  EXPECT_TRUE(d.prompts.scripted.asked().empty());
  EXPECT_EQ(FileSettingsStore(d.dir.path()).read("KWEMO", "Setting", "Format"), "applied");

  d.breakTheFile();
  d.settings.Format = "lost";
  d.wiring->SaveSettings(nullptr);
  ASSERT_EQ(d.prompts.scripted.asked().size(), 1u);
  const auto& box = d.prompts.scripted.asked()[0];
  EXPECT_EQ(box.title, "KWEMO Setting");
  EXPECT_EQ(box.icon, Icon::Critical);
  EXPECT_TRUE(box.text.startsWith("設定を保存できませんでした。\n"));
  EXPECT_TRUE(box.text.contains(d.file() + ": is a directory")) << box.text.toStdString();
}

TEST(SaveFailure, AFailedShutDownSaveWritesOneLineOnStderr) {
  OnDisk d;
  d.breakTheFile();
  CapturedStderr err;
  d.clock.close();
  const QByteArray text = err.text();
  EXPECT_EQ(text.count('\n'), 1) << text.constData();
  EXPECT_TRUE(text.startsWith("kwemo: the settings were not saved: "));
  EXPECT_TRUE(text.contains(QFile::encodeName(d.file()) + ": is a directory")) << text.constData();
  EXPECT_TRUE(d.prompts.scripted.asked().empty()) << "no box at shut-down";
}

class Host final : public MemoHost {
 public:
  void ShowMsg(const QString&, int) override {}
  void setMemoItemsEnabled(bool) override {}
  bool memoCopyEnabled() const override { return true; }
};

TEST(SaveFailure, MemoSaveAndClearSayWhyTheyFailed) {
  QTemporaryDir dir;
  FileSettingsStore store(dir.path());
  ASSERT_TRUE(WriteMemo(store, {"old", "text"}));
  Host host;
  ScopedPrompts prompts;
  QPointer<frmMemo> memo = new frmMemo(store, host);
  control<QLineEdit>(*memo, "txtTitle").setText("new");
  const QString file = store.filePath("KWEMO");
  QFile::remove(file);
  QDir().mkpath(file + "/x");

  prompts.scripted.answer(Answer::Yes);
  EXPECT_FALSE(memo->close()) << "an unsaved memo stays on screen";
  ASSERT_EQ(prompts.scripted.asked().size(), 2u);
  EXPECT_EQ(prompts.scripted.asked()[1].title, "メモ保存");
  EXPECT_TRUE(prompts.scripted.asked()[1].text.startsWith("メモを保存できませんでした。\n"));
  EXPECT_TRUE(prompts.scripted.asked()[1].text.contains(file)) << "the file is named";

  prompts.scripted.clear();
  prompts.scripted.answer(Answer::Yes);
  MemoCommands commands(store, host);
  commands.Clear();
  ASSERT_EQ(prompts.scripted.asked().size(), 2u);
  EXPECT_EQ(prompts.scripted.asked()[1].title, "メモ消去");
  EXPECT_TRUE(prompts.scripted.asked()[1].text.contains(file));
  memo->discard();
}

TEST(SaveFailure, TheMemoIsBoundedWhereItIsTyped) {
  QTemporaryDir dir;
  FileSettingsStore store(dir.path());
  const QString stored(frmMemo::kMaxTextLength + 10, u'o');  // from an older, longer memo
  ASSERT_TRUE(WriteMemo(store, {"t", stored}));
  Host host;
  {
    frmMemo memo(store, host);
    EXPECT_EQ(control<QPlainTextEdit>(memo, "txtMemo").toPlainText(), stored)
        << "what was stored is shown whole";
    memo.discard();
  }
  ASSERT_TRUE(WriteMemo(store, {"t", "abc"}));
  frmMemo memo(store, host);
  control<QPlainTextEdit>(memo, "txtMemo").moveCursor(QTextCursor::End);
  control<QPlainTextEdit>(memo, "txtMemo")
      .insertPlainText(QString(frmMemo::kMaxTextLength, u'x'));  // a paste
  EXPECT_EQ(control<QPlainTextEdit>(memo, "txtMemo").toPlainText().size(), frmMemo::kMaxTextLength);
  EXPECT_TRUE(control<QPlainTextEdit>(memo, "txtMemo").toPlainText().startsWith("abcx"));
  QTest::keyClicks(&control<QPlainTextEdit>(memo, "txtMemo"), "yz");
  EXPECT_EQ(control<QPlainTextEdit>(memo, "txtMemo").toPlainText().size(), frmMemo::kMaxTextLength);
  control<QLineEdit>(memo, "txtTitle").setText(QString(frmMemo::kMaxTitleLength + 5, u't'));
  EXPECT_EQ(control<QLineEdit>(memo, "txtTitle").text().size(), frmMemo::kMaxTitleLength);
  // Whatever was typed, the memo can be saved.
  EXPECT_TRUE(WriteMemo(store, {control<QLineEdit>(memo, "txtTitle").text(),
                                control<QPlainTextEdit>(memo, "txtMemo").toPlainText()}));
  memo.discard();
}

}  // namespace
}  // namespace kwemo
