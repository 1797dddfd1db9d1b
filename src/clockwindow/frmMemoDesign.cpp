#include "clockwindow/frmMemoDesign.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "desktop/ControlName.h"

namespace kwemo {

namespace {

QFont memoFont() {
  QFont font(QStringLiteral("ＭＳ ゴシック"));
  font.setPointSizeF(9.75);
  return font;
}

}  // namespace

void frmMemoDesign::setupUi(QWidget* form, int clientWidth, int clientHeight) {
  form->setWindowTitle(QStringLiteral("Memo"));
  txtTitle = new QLineEdit(form);
  txtMemo = new QPlainTextEdit(form);
  nameControl(txtTitle, "txtTitle");
  nameControl(txtMemo, "txtMemo");
  txtTitle->setFont(memoFont());
  txtMemo->setFont(memoFont());
  txtMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  txtTitle->resize(clientWidth, txtTitle->sizeHint().height());
  form->resize(clientWidth, clientHeight);
}

}  // namespace kwemo
