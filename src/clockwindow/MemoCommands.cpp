#include "clockwindow/MemoCommands.h"

#include <QClipboard>
#include <QGuiApplication>

#include "clockwindow/Memo.h"
#include "clockwindow/MemoHost.h"
#include "desktop/Prompts.h"
#include "desktop/ShowActivated.h"

namespace kwemo {

MemoCommands::MemoCommands(SettingsStore& store, MemoHost& host) : store_(store), host_(host) {}

MemoCommands::~MemoCommands() {
  delete memo_.data();  // deleting skips the close question
}

void MemoCommands::Open() {
  if (!memo_) memo_ = new frmMemo(store_, host_);
  ShowActivated(*memo_);
  host_.ShowMsg(QStringLiteral("MEMO Edit/View"), 0);
}

void MemoCommands::Clear() {
  const QString title = ShortTitle(ReadMemo(store_).title);
  const Answer answer = prompts().MsgBox(
      host_.questionParent(),
      QStringLiteral("メモ ") + title + QStringLiteral(" を消去します.\r\nよろしいですか？"),
      Buttons::YesNo, Icon::Question, QStringLiteral("メモ消去"));
  if (answer != Answer::Yes) return;
  // Only a memo really gone is reported as cleared.
  if (!WriteMemo(store_, {})) return;
  host_.ShowMsg(QStringLiteral("Memo Cleared."), 0);
  host_.setMemoItemsEnabled(false);
}

void MemoCommands::Copy() {
  if (!host_.memoCopyEnabled()) return;
  const StoredMemo memo = ReadMemo(store_);
  const Answer answer =
      prompts().MsgBox(host_.questionParent(),
                       QStringLiteral("メモ ") + ShortTitle(memo.title) +
                           QStringLiteral(" をクリップボードにコピーします."),
                       Buttons::OkCancel, Icon::Information, QStringLiteral("メモコピー"));
  if (answer != Answer::Ok) return;
  QGuiApplication::clipboard()->setText(MemoClipboardText(memo));
  host_.ShowMsg(QStringLiteral("Memo Copied."), 0);
}

}  // namespace kwemo
