#include "settings/frmSettingDesign.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "desktop/ControlName.h"
#include "settings/ColorButton.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 16,
                  QWidget* buddy = nullptr) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, y, w, h);
  if (buddy) label->setBuddy(buddy);
  return label;
}

QLineEdit* makeText(QWidget* parent, int x, int y, int w, const QString& tip = {}) {
  auto* edit = new QLineEdit(parent);
  edit->setGeometry(x, y, w, 22);
  edit->setToolTip(tip);
  return edit;
}

// Vertical bar beside a text box; the top end is the bar's minimum, as on the old forms.
QScrollBar* makeBar(QWidget* parent, int x, int y, int min, int max, const QString& tip) {
  auto* bar = new QScrollBar(Qt::Vertical, parent);
  bar->setGeometry(x, y, 14, 22);
  bar->setRange(min, max);
  bar->setSingleStep(1);
  bar->setPageStep(10);
  bar->setToolTip(tip);
  bar->setFocusPolicy(Qt::StrongFocus);  // a tab stop, moved with the arrow keys
  return bar;
}

QPushButton* makeButton(QWidget* parent, const QString& text, int x, int y, int w,
                        const QString& tip = {}) {
  auto* button = new QPushButton(text, parent);
  button->setGeometry(x, y, w, 22);
  button->setToolTip(tip);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

void frmSettingDesign::setupUi(QDialog* form, DrawSurface& preview) {
  // Title and close box only: no minimise or maximise box.
  form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                       Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  form->setFixedSize(460, 330);

  // Left column: style set, picture, window size, hands, digital text. Right column: preview,
  // draw mode and the three buttons.
  buildStyleSetAndPicture(form);
  buildHands(form);
  buildDigitalText(form);
  buildRightColumn(form, preview);
  nameControls();
  setTabOrder(form);
}

void frmSettingDesign::buildStyleSetAndPicture(QDialog* form) {
  cmbSkin = new QComboBox(form);
  cmbSkin->setGeometry(86, 6, 224, 22);
  makeLabel(form, QStringLiteral("StyleSet(&S):"), 6, 9, 80, 16, cmbSkin);
  cmdSSave = makeButton(form, QStringLiteral("Save StyleSet(&S)"), 316, 6, 138);
  cmdLoad = makeButton(form, QStringLiteral("Load"), 316, 6, 10);
  cmdLoad->setVisible(false);

  txtBackFile = makeText(form, 86, 32, 200, QStringLiteral("背景画像ファイル"));
  makeLabel(form, QStringLiteral("背景画像(&B)"), 6, 35, 80, 16, txtBackFile);
  cmdBrouse = makeButton(form, QStringLiteral("..."), 288, 32, 22, QStringLiteral("ファイル参照"));

  // Boxes of 40 still show four digits and leave the labels room for their whole text.
  txtForm[0] = makeText(form, 104, 58, 40);
  makeLabel(form, QStringLiteral("フォーム: 幅(&W)"), 6, 61, 97, 16, txtForm[0]);
  txtForm[1] = makeText(form, 224, 58, 40);
  makeLabel(form, QStringLiteral("pix / 高さ(&H)"), 146, 61, 77, 16, txtForm[1]);
  for (QLineEdit* t : txtForm) t->setText(QStringLiteral("0"));
  makeLabel(form, QStringLiteral("pix"), 266, 61, 20);
  cmdSetSize =
      makeButton(form, QStringLiteral("→"), 288, 58, 22,
                 QStringLiteral("クリックすると画像サイズをフォームサイズに割り当てます。"));
  cmdSetSize->setVisible(false);
}

// Hands and colours, one row each, and the check boxes beside them.
void frmSettingDesign::buildHands(QDialog* form) {
  makeLabel(form, QStringLiteral("太さ"), 72, 84, 40);
  makeLabel(form, QStringLiteral("長さ"), 116, 84, 44);
  const QString caps[6] = {QStringLiteral("時針"), QStringLiteral("分針"), QStringLiteral("秒針"),
                           QStringLiteral("背景"), QStringLiteral("目盛"), QStringLiteral("文字")};
  for (int i = 0; i < 6; ++i) {
    cmdHari[i] = new ColorButton(form);
    cmdHari[i]->setToolTip(QStringLiteral("クリックすると色を変更できます"));
    lblCap[i] = new QLabel(caps[i], form);
  }
  for (int row = 0; row < 5; ++row) {
    const int y = 100 + 24 * row;
    lblCap[row]->setGeometry(6, y + 3, 28, 16);
    cmdHari[row]->setGeometry(36, y, 32, 22);
    // Rows 0-2 are the hands, row 4 the tick marks (width only); the background has no width.
    const int bold = row < 3 ? row : (row == 4 ? 3 : -1);
    if (bold >= 0) {
      auto* list = new QComboBox(form);
      list->setGeometry(72, y, 40, 22);
      list->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                      QStringLiteral("4"), QStringLiteral("5")});
      list->setCurrentIndex(-1);
      list->setToolTip(QStringLiteral("針の太さをpix単位で指定します"));
      cmbBold[bold] = list;
    }
    if (row < 3) {
      txtLong[row] = makeText(form, 116, y, 30, QStringLiteral("針の長さ"));
      vscLong[row] = makeBar(form, 146, y, 0, 100, QStringLiteral("針の長さ"));
      makeLabel(form, QStringLiteral("%"), 162, y + 3, 12);
    }
  }

  chkSV = new QCheckBox(QStringLiteral("秒針非表示(&B)"), form);
  chkSV->setGeometry(176, 100, 139, 22);
  chkMemori = new QCheckBox(QStringLiteral("目盛を表示しない(&M)"), form);
  chkMemori->setGeometry(176, 124, 139, 22);
  chkmline = new QCheckBox(QStringLiteral("1/60目盛り(&L)"), form);
  chkmline->setGeometry(176, 148, 139, 22);
  chkNhari = new QCheckBox(QStringLiteral("謎の針モード(&N)"), form);
  chkNhari->setGeometry(176, 172, 139, 22);
}

// The digital text: a frame headed by its check box.
void frmSettingDesign::buildDigitalText(QDialog* form) {
  auto* frame = new QFrame(form);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setGeometry(6, 230, 304, 94);
  frame->lower();  // a backdrop: the controls in it, made earlier or later, lie on top
  chkDC = new QCheckBox(QStringLiteral("デジタル時計(&D)"), form);
  chkDC->setGeometry(12, 221, 130, 18);
  chkDC->setAutoFillBackground(true);
  chkDC->setChecked(true);

  cmbFonts = new QComboBox(form);
  cmbFonts->setEditable(true);
  cmbFonts->setInsertPolicy(QComboBox::NoInsert);
  cmbFonts->setCompleter(nullptr);  // typing keeps exactly what was typed
  cmbFonts->setGeometry(76, 244, 126, 22);
  cmbFonts->setToolTip(QStringLiteral("フォント"));
  cmbFonts->setEditText(QStringLiteral("ＭＳ Ｐゴシック"));
  makeLabel(form, QStringLiteral("FontName"), 12, 247, 64, 16, cmbFonts);
  txtFS = makeText(form, 266, 244, 28, QStringLiteral("フォントサイズ"));
  vscFS = makeBar(form, 294, 244, 8, 128, QStringLiteral("フォントサイズ"));
  makeLabel(form, QStringLiteral("FontSize:"), 206, 247, 60, 16, txtFS);

  chkFont[0] = new QCheckBox(QStringLiteral("B"), form);
  chkFont[0]->setToolTip(QStringLiteral("太字"));
  chkFont[0]->setGeometry(12, 270, 36, 22);
  QFont bold = chkFont[0]->font();
  bold.setBold(true);
  chkFont[0]->setFont(bold);
  chkFont[1] = new QCheckBox(QStringLiteral("I "), form);
  chkFont[1]->setToolTip(QStringLiteral("斜体"));
  chkFont[1]->setGeometry(50, 270, 36, 22);
  QFont italic = chkFont[1]->font();
  italic.setItalic(true);
  chkFont[1]->setFont(italic);
  txtAlign = makeText(form, 134, 270, 34, QStringLiteral("フォントサイズ"));
  vscAlign = makeBar(form, 168, 270, 0, 100, QStringLiteral("フォントサイズ"));
  makeLabel(form, QStringLiteral("縦位置"), 92, 273, 40, 16, txtAlign);
  lblMoji = makeLabel(form, QStringLiteral("文字色"), 196, 273, 40);
  cmdHari[5]->setGeometry(238, 270, 36, 22);
  lblCap[5]->setGeometry(196, 273, 40, 16);
  lblCap[5]->setVisible(false);
  txtDF = makeText(form, 74, 296, 230,
                   QStringLiteral("表示文字列を指定します。詳しくはReadmeをお読みください。"));
  makeLabel(form, QStringLiteral("Format:"), 12, 299, 60, 16, txtDF);
}

void frmSettingDesign::buildRightColumn(QDialog* form, DrawSurface& preview) {
  auto* previewFrame = new QFrame(form);
  previewFrame->setFrameShape(QFrame::Panel);
  previewFrame->setFrameShadow(QFrame::Sunken);
  previewFrame->setLineWidth(2);
  previewFrame->setGeometry(318, 34, 133, 128);
  picPrev = new SurfaceView(preview, previewFrame);
  picPrev->setGeometry(2, 2, 129, 124);

  lblPic = makeLabel(form, QString(), 316, 164, 138);
  lblPic->setAlignment(Qt::AlignCenter);
  lblPic->setToolTip(QStringLiteral("画像サイズ"));
  lblPic->setVisible(false);

  cmbDrawMode = new QComboBox(form);
  // Wide enough for the longest entry, "13 - (標準) Copy Pen", reaching left under the check boxes.
  cmbDrawMode->setGeometry(296, 200, 158, 22);
  cmbDrawMode->setToolTip(QStringLiteral("線画モードを指定します。適当に選んでください(^_^;;"));
  makeLabel(form, QStringLiteral("線画モード(&M)"), 316, 184, 138, 16, cmbDrawMode);

  cmdOK = makeButton(form, QStringLiteral("OK(&O)"), 316, 238, 138);
  cmdOK->setDefault(true);
  cmdAccept = makeButton(form, QStringLiteral("適用(&A)"), 316, 264, 138);
  cmdAccept->setEnabled(false);
  cmdCancel = makeButton(form, QStringLiteral("キャンセル(&C)"), 316, 290, 138);

  timI = new QTimer(form);
  timI->setInterval(500);
  timI->start();
}

void frmSettingDesign::nameControls() {
  for (const auto& [control, name] : std::initializer_list<std::pair<QObject*, const char*>>{
           {cmbSkin, "cmbSkin"},     {cmdSSave, "cmdSSave"},
           {cmdLoad, "cmdLoad"},     {txtBackFile, "txtBackFile"},
           {cmdBrouse, "cmdBrouse"}, {cmdSetSize, "cmdSetSize"},
           {lblPic, "lblPic"},       {chkSV, "chkSV"},
           {chkMemori, "chkMemori"}, {chkmline, "chkmline"},
           {chkNhari, "chkNhari"},   {cmbDrawMode, "cmbDrawMode"},
           {chkDC, "chkDC"},         {cmbFonts, "cmbFonts"},
           {txtFS, "txtFS"},         {vscFS, "vscFS"},
           {txtAlign, "txtAlign"},   {vscAlign, "vscAlign"},
           {lblMoji, "lblMoji"},     {txtDF, "txtDF"},
           {picPrev, "picPrev"},     {timI, "timI"},
           {cmdOK, "cmdOK"},         {cmdAccept, "cmdAccept"},
           {cmdCancel, "cmdCancel"}})
    nameControl(control, name);
  for (int i = 0; i < 6; ++i) {
    nameControl(cmdHari[i], "cmdHari", i);
    nameControl(lblCap[i], "lblCap", i);
  }
  for (int i = 0; i < 4; ++i) nameControl(cmbBold[i], "cmbBold", i);
  for (int i = 0; i < 3; ++i) {
    nameControl(txtLong[i], "txtLong", i);
    nameControl(vscLong[i], "vscLong", i);
  }
  for (int i = 0; i < 2; ++i) {
    nameControl(txtForm[i], "txtForm", i);
    nameControl(chkFont[i], "chkFont", i);
  }
}

void frmSettingDesign::setTabOrder(QDialog* form) {
  // Tab order follows the rows as they are read.
  QWidget* order[] = {cmbSkin,     cmdSSave,   txtBackFile, cmdBrouse,  txtForm[0], txtForm[1],
                      cmdSetSize,  cmdHari[0], cmbBold[0],  txtLong[0], vscLong[0], cmdHari[1],
                      cmbBold[1],  txtLong[1], vscLong[1],  cmdHari[2], cmbBold[2], txtLong[2],
                      vscLong[2],  cmdHari[3], cmdHari[4],  cmbBold[3], chkSV,      chkMemori,
                      chkmline,    chkNhari,   chkDC,       cmbFonts,   txtFS,      vscFS,
                      chkFont[0],  chkFont[1], txtAlign,    vscAlign,   cmdHari[5], txtDF,
                      cmbDrawMode, cmdOK,      cmdAccept,   cmdCancel};
  for (std::size_t i = 1; i < std::size(order); ++i) form->setTabOrder(order[i - 1], order[i]);
}

}  // namespace kwemo
