#include "clockwindow/frmMemo.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "clockwindow/Memo.h"
#include "clockwindow/MemoHost.h"
#include "clockwindow/SaveFailure.h"
#include "desktop/Prompts.h"

namespace kwemo {

frmMemo::frmMemo(SettingsStore& store, MemoHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  ui_.setupUi(this, kDesignClientWidth, kDesignClientHeight);
  ui_.txtTitle->installEventFilter(this);
  connect(ui_.txtTitle, &QLineEdit::textChanged, this, &frmMemo::txtTitle_Change);
  Form_Load();
  // Bounded where it is typed, so that a memo can never make the settings file too large to save.
  ui_.txtTitle->setMaxLength(kMaxTitleLength);
  connect(ui_.txtMemo->document(), &QTextDocument::contentsChange, this, &frmMemo::limitText);
}

// Takes back what was typed or pasted beyond the limit (a memo stored longer stays as it was).
void frmMemo::limitText(int position, int, int added) {
  const int excess = ui_.txtMemo->document()->characterCount() - 1 - kMaxTextLength;
  if (excess <= 0 || added <= 0) return;
  QTextCursor cursor(ui_.txtMemo->document());
  const int end = position + added;
  cursor.setPosition(end - qMin(excess, added));
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  cursor.removeSelectedText();
}

void frmMemo::Form_Load() {
  const StoredMemo memo = ReadMemo(store_);
  ui_.txtTitle->setText(memo.title);
  ui_.txtMemo->setPlainText(FromStoredLineBreaks(memo.text));
  Form_Resize();
}

void frmMemo::Form_Resize() {
  const int titleHeight = ui_.txtTitle->height();
  ui_.txtTitle->setGeometry(0, 0, width(), titleHeight);
  if (titleHeight <= height())
    ui_.txtMemo->setGeometry(0, titleHeight, width(), height() - titleHeight);
}

void frmMemo::txtTitle_Change() {
  const QString title = ui_.txtTitle->text();
  setWindowTitle(title.isEmpty() ? QStringLiteral("Memo") : title);
}

bool frmMemo::eventFilter(QObject* watched, QEvent* event) {
  // txtTitle_KeyDown: Enter goes to the text instead of into the title.
  if (watched == ui_.txtTitle && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ui_.txtMemo->setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool frmMemo::Form_QueryUnload() {
  const bool textEmpty = ui_.txtMemo->document()->isEmpty();
  if (ui_.txtTitle->text().isEmpty()) {
    if (textEmpty) return false;
    // Never store a text under an empty title: an empty title means "no memo".
    ui_.txtTitle->setText(QStringLiteral("[No Title]"));
  }
  const Answer answer =
      prompts().MsgBox(this,
                       QStringLiteral("メモ ") + ShortTitle(ui_.txtTitle->text()) +
                           QStringLiteral(" を保存しますか？"),
                       Buttons::YesNoCancel, Icon::Question, QStringLiteral("メモ保存"));
  if (answer == Answer::Cancel) return true;
  if (answer == Answer::Yes) {
    // A memo the store did not take stays on screen rather than being lost with the window.
    if (!WriteMemo(store_, {ui_.txtTitle->text(), ui_.txtMemo->toPlainText()})) {
      reportFailedSave(this, QStringLiteral("メモを保存できませんでした。"),
                       QStringLiteral("メモ保存"), store_);
      return true;
    }
    host_.setMemoItemsEnabled(true);
  }
  return false;
}

void frmMemo::closeEvent(QCloseEvent* event) {
  if (!discarding_ && Form_QueryUnload()) {
    event->ignore();
    return;
  }
  event->accept();
}

void frmMemo::discard() {
  discarding_ = true;
  close();
}

void frmMemo::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

}  // namespace kwemo
