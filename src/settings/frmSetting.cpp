#include "settings/frmSetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "clock/FaceState.h"
#include "desktop/Prompts.h"
#include "desktop/ShowActivated.h"
#include "oldruntime/Conversions.h"
#include "settings/ColorButton.h"
#include "settings/Preview.h"
#include "settings/SettingsHost.h"
#include "settings/StyleSets.h"
#include "settings/frmColor.h"
#include "settings/modCmOpen.h"
#include "settings/modFileSearch.h"
#include "settings/model/SettingValues.h"
#include "surface/DrawSurface.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

namespace {

QPointer<frmSetting> g_instance;

const QString kCaption = QStringLiteral("KWEMO Setting");

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

Rgb colorOf(const ColorTriplet& c) { return RGB(c.red, c.green, c.blue); }

void setTextIfChanged(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);
}

void setIndexIfChanged(QComboBox* list, int index) {
  if (index >= 0 && index < list->count() && list->currentIndex() != index)
    list->setCurrentIndex(index);
}

void setBarIfChanged(QScrollBar* bar, int value) {
  if (value >= bar->minimum() && value <= bar->maximum() && bar->value() != value)
    bar->setValue(value);
}

void setCheckIfChanged(QCheckBox* box, int value) {
  if (frmSetting::checkValue(box) != value) frmSetting::setCheckValue(box, value);
}

// The list of style sets: the reset entry, then the sets under `root`; nothing selected, and
// filling it does not count as choosing an entry.
void fillStyleSetList(QComboBox* list, const QString& root) {
  const QSignalBlocker quiet(list);
  list->clear();
  list->addItem(kResetEntry);
  list->addItems(ListStyleSets(root));
  list->setCurrentIndex(-1);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and layout

frmSetting::frmSetting(ClockSettings& settings, SettingsHost& host, QWidget* parent, Clock clock)
    : QDialog(parent), settings_(settings), host_(host), clock_(std::move(clock)) {
  if (!clock_) clock_ = [] { return QDateTime::currentDateTime(); };
  g_instance = this;
  buildControls();
  connectHandlers();
  Form_Load();
}

frmSetting::~frmSetting() {
  // Destroyed without OK or Cancel (the program ending): no dialog is open any more.
  if (g_instance == this) {
    g_instance = nullptr;
    SettingOpen = false;
  }
}

void frmSetting::buildControls() {
  setWindowTitle(kCaption);
  // Title and close box only: no minimise or maximise box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(460, 330);

  // Left column: style set, picture, window size, hands, digital text. Right column: preview,
  // draw mode and the three buttons.
  cmbSkin = new QComboBox(this);
  cmbSkin->setGeometry(86, 6, 224, 22);
  makeLabel(this, QStringLiteral("StyleSet(&S):"), 6, 9, 80, 16, cmbSkin);
  cmdSSave = makeButton(this, QStringLiteral("Save StyleSet(&S)"), 316, 6, 138);
  cmdLoad = makeButton(this, QStringLiteral("Load"), 316, 6, 10);
  cmdLoad->setVisible(false);

  txtBackFile = makeText(this, 86, 32, 200, QStringLiteral("背景画像ファイル"));
  makeLabel(this, QStringLiteral("背景画像(&B)"), 6, 35, 80, 16, txtBackFile);
  cmdBrouse = makeButton(this, QStringLiteral("..."), 288, 32, 22, QStringLiteral("ファイル参照"));

  // Boxes of 40 still show four digits and leave the labels room for their whole text.
  txtForm[0] = makeText(this, 104, 58, 40);
  makeLabel(this, QStringLiteral("フォーム: 幅(&W)"), 6, 61, 97, 16, txtForm[0]);
  txtForm[1] = makeText(this, 224, 58, 40);
  makeLabel(this, QStringLiteral("pix / 高さ(&H)"), 146, 61, 77, 16, txtForm[1]);
  for (QLineEdit* t : txtForm) t->setText(QStringLiteral("0"));
  makeLabel(this, QStringLiteral("pix"), 266, 61, 20);
  cmdSetSize =
      makeButton(this, QStringLiteral("→"), 288, 58, 22,
                 QStringLiteral("クリックすると画像サイズをフォームサイズに割り当てます。"));
  cmdSetSize->setVisible(false);

  // Hands and colours, one row each.
  makeLabel(this, QStringLiteral("太さ"), 72, 84, 40);
  makeLabel(this, QStringLiteral("長さ"), 116, 84, 44);
  const QString caps[6] = {QStringLiteral("時針"), QStringLiteral("分針"), QStringLiteral("秒針"),
                           QStringLiteral("背景"), QStringLiteral("目盛"), QStringLiteral("文字")};
  for (int i = 0; i < 6; ++i) {
    cmdHari[i] = new ColorButton(this);
    cmdHari[i]->setToolTip(QStringLiteral("クリックすると色を変更できます"));
    lblCap[i] = new QLabel(caps[i], this);
  }
  for (int row = 0; row < 5; ++row) {
    const int y = 100 + 24 * row;
    lblCap[row]->setGeometry(6, y + 3, 28, 16);
    cmdHari[row]->setGeometry(36, y, 32, 22);
    // Rows 0-2 are the hands, row 4 the tick marks (width only); the background has no width.
    const int bold = row < 3 ? row : (row == 4 ? 3 : -1);
    if (bold >= 0) {
      auto* list = new QComboBox(this);
      list->setGeometry(72, y, 40, 22);
      list->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                      QStringLiteral("4"), QStringLiteral("5")});
      list->setCurrentIndex(-1);
      list->setToolTip(QStringLiteral("針の太さをpix単位で指定します"));
      cmbBold[bold] = list;
    }
    if (row < 3) {
      txtLong[row] = makeText(this, 116, y, 30, QStringLiteral("針の長さ"));
      vscLong[row] = makeBar(this, 146, y, 0, 100, QStringLiteral("針の長さ"));
      makeLabel(this, QStringLiteral("%"), 162, y + 3, 12);
    }
  }

  chkSV = new QCheckBox(QStringLiteral("秒針非表示(&B)"), this);
  chkSV->setGeometry(176, 100, 139, 22);
  chkMemori = new QCheckBox(QStringLiteral("目盛を表示しない(&M)"), this);
  chkMemori->setGeometry(176, 124, 139, 22);
  chkmline = new QCheckBox(QStringLiteral("1/60目盛り(&L)"), this);
  chkmline->setGeometry(176, 148, 139, 22);
  chkNhari = new QCheckBox(QStringLiteral("謎の針モード(&N)"), this);
  chkNhari->setGeometry(176, 172, 139, 22);

  // The digital text: a frame headed by its check box.
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  frame->setFrameShadow(QFrame::Sunken);
  frame->setGeometry(6, 230, 304, 94);
  frame->lower();  // a backdrop: the controls in it, made earlier or later, lie on top
  chkDC = new QCheckBox(QStringLiteral("デジタル時計(&D)"), this);
  chkDC->setGeometry(12, 221, 130, 18);
  chkDC->setAutoFillBackground(true);
  chkDC->setChecked(true);

  cmbFonts = new QComboBox(this);
  cmbFonts->setEditable(true);
  cmbFonts->setInsertPolicy(QComboBox::NoInsert);
  cmbFonts->setCompleter(nullptr);  // typing keeps exactly what was typed
  cmbFonts->setGeometry(76, 244, 126, 22);
  cmbFonts->setToolTip(QStringLiteral("フォント"));
  cmbFonts->setEditText(QStringLiteral("ＭＳ Ｐゴシック"));
  makeLabel(this, QStringLiteral("FontName"), 12, 247, 64, 16, cmbFonts);
  txtFS = makeText(this, 266, 244, 28, QStringLiteral("フォントサイズ"));
  vscFS = makeBar(this, 294, 244, 8, 128, QStringLiteral("フォントサイズ"));
  makeLabel(this, QStringLiteral("FontSize:"), 206, 247, 60, 16, txtFS);

  chkFont[0] = new QCheckBox(QStringLiteral("B"), this);
  chkFont[0]->setToolTip(QStringLiteral("太字"));
  chkFont[0]->setGeometry(12, 270, 36, 22);
  QFont bold = chkFont[0]->font();
  bold.setBold(true);
  chkFont[0]->setFont(bold);
  chkFont[1] = new QCheckBox(QStringLiteral("I "), this);
  chkFont[1]->setToolTip(QStringLiteral("斜体"));
  chkFont[1]->setGeometry(50, 270, 36, 22);
  QFont italic = chkFont[1]->font();
  italic.setItalic(true);
  chkFont[1]->setFont(italic);
  txtAlign = makeText(this, 134, 270, 34, QStringLiteral("フォントサイズ"));
  vscAlign = makeBar(this, 168, 270, 0, 100, QStringLiteral("フォントサイズ"));
  makeLabel(this, QStringLiteral("縦位置"), 92, 273, 40, 16, txtAlign);
  lblMoji = makeLabel(this, QStringLiteral("文字色"), 196, 273, 40);
  cmdHari[5]->setGeometry(238, 270, 36, 22);
  lblCap[5]->setGeometry(196, 273, 40, 16);
  lblCap[5]->setVisible(false);
  txtDF = makeText(this, 74, 296, 230,
                   QStringLiteral("表示文字列を指定します。詳しくはReadmeをお読みください。"));
  makeLabel(this, QStringLiteral("Format:"), 12, 299, 60, 16, txtDF);

  // Right column.
  auto* previewFrame = new QFrame(this);
  previewFrame->setFrameShape(QFrame::Panel);
  previewFrame->setFrameShadow(QFrame::Sunken);
  previewFrame->setLineWidth(2);
  previewFrame->setGeometry(318, 34, 133, 128);
  prevSurface_ = new DrawSurface(129, 124, this);
  picPrev = new SurfaceView(*prevSurface_, previewFrame);
  picPrev->setGeometry(2, 2, 129, 124);

  lblPic = makeLabel(this, QString(), 316, 164, 138);
  lblPic->setAlignment(Qt::AlignCenter);
  lblPic->setToolTip(QStringLiteral("画像サイズ"));
  lblPic->setVisible(false);

  cmbDrawMode = new QComboBox(this);
  // Wide enough for the longest entry, "13 - (標準) Copy Pen", reaching left under the check boxes.
  cmbDrawMode->setGeometry(296, 200, 158, 22);
  cmbDrawMode->setToolTip(QStringLiteral("線画モードを指定します。適当に選んでください(^_^;;"));
  makeLabel(this, QStringLiteral("線画モード(&M)"), 316, 184, 138, 16, cmbDrawMode);

  cmdOK = makeButton(this, QStringLiteral("OK(&O)"), 316, 238, 138);
  cmdOK->setDefault(true);
  cmdAccept = makeButton(this, QStringLiteral("適用(&A)"), 316, 264, 138);
  cmdAccept->setEnabled(false);
  cmdCancel = makeButton(this, QStringLiteral("キャンセル(&C)"), 316, 290, 138);

  timI = new QTimer(this);
  timI->setInterval(500);
  timI->start();

  // Tab order follows the rows as they are read.
  QWidget* order[] = {cmbSkin,     cmdSSave,   txtBackFile, cmdBrouse,  txtForm[0], txtForm[1],
                      cmdSetSize,  cmdHari[0], cmbBold[0],  txtLong[0], vscLong[0], cmdHari[1],
                      cmbBold[1],  txtLong[1], vscLong[1],  cmdHari[2], cmbBold[2], txtLong[2],
                      vscLong[2],  cmdHari[3], cmdHari[4],  cmbBold[3], chkSV,      chkMemori,
                      chkmline,    chkNhari,   chkDC,       cmbFonts,   txtFS,      vscFS,
                      chkFont[0],  chkFont[1], txtAlign,    vscAlign,   cmdHari[5], txtDF,
                      cmbDrawMode, cmdOK,      cmdAccept,   cmdCancel};
  for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmSetting::connectHandlers() {
  // Qt's signals stand for the old change and click events: they fire when a value really
  // changes, by the user or by code, which is what makes the loading order matter.
  auto acEnabled = [this] { AcEnabled(); };
  for (QCheckBox* box : {chkFont[0], chkFont[1], chkmline, chkNhari, chkSV})
    connect(box, &QCheckBox::stateChanged, this, acEnabled);
  connect(chkDC, &QCheckBox::stateChanged, this, [this] { chkDC_Click(); });
  connect(chkMemori, &QCheckBox::stateChanged, this, [this] { chkMemori_Click(); });
  for (QComboBox* list : cmbBold) connect(list, &QComboBox::currentIndexChanged, this, acEnabled);
  connect(cmbDrawMode, &QComboBox::currentIndexChanged, this, acEnabled);
  connect(cmbFonts, &QComboBox::currentIndexChanged, this, acEnabled);
  connect(cmbFonts, &QComboBox::editTextChanged, this, acEnabled);
  // txtFS and txtLong have no change handler: typing there alone does not enable Apply.
  for (QLineEdit* text : {txtAlign, txtDF, txtForm[0], txtForm[1]})
    connect(text, &QLineEdit::textChanged, this, acEnabled);
  connect(txtBackFile, &QLineEdit::textChanged, this, &frmSetting::txtBackFile_Change);
  for (int i = 0; i < 3; ++i)
    connect(vscLong[i], &QScrollBar::valueChanged, this, [this, i] { vscLong_Change(i); });
  connect(vscFS, &QScrollBar::valueChanged, this, &frmSetting::vscFS_Change);
  connect(vscAlign, &QScrollBar::valueChanged, this, &frmSetting::vscAlign_Change);
  for (QLineEdit* text : {txtAlign, txtLong[0], txtLong[1], txtLong[2], txtForm[0], txtForm[1],
                          txtFS, txtDF, txtBackFile})
    text->installEventFilter(this);
  for (int i = 0; i < 6; ++i)
    connect(cmdHari[i], &QPushButton::clicked, this, [this, i] { cmdHari_Click(i); });
  // Every pick loads, the entry already shown included; refilling the list picks nothing.
  connect(cmbSkin, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) cmdLoad_Click();
  });
  connect(cmdLoad, &QPushButton::clicked, this, &frmSetting::cmdLoad_Click);
  connect(cmdSSave, &QPushButton::clicked, this, &frmSetting::cmdSSave_Click);
  connect(cmdBrouse, &QPushButton::clicked, this, &frmSetting::cmdBrouse_Click);
  connect(cmdSetSize, &QPushButton::clicked, this, &frmSetting::cmdSetSize_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmSetting::cmdOK_Click);
  connect(cmdAccept, &QPushButton::clicked, this, &frmSetting::cmdAccept_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmSetting::cmdCancel_Click);
  connect(timI, &QTimer::timeout, this, &frmSetting::timI_Timer);
}

bool frmSetting::eventFilter(QObject* watched, QEvent* event) {
  // Every number and text box selects its whole text when it gets the focus.
  if (event->type() == QEvent::FocusIn) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) edit->selectAll();
  }
  return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Check boxes as the old forms had them

int frmSetting::checkValue(const QCheckBox* box) {
  switch (box->checkState()) {
    case Qt::Unchecked:
      return 0;
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
  }
  return 0;
}

bool frmSetting::setCheckValue(QCheckBox* box, int value) {
  switch (value) {
    case 0:
      box->setCheckState(Qt::Unchecked);
      return true;
    case 1:
      box->setCheckState(Qt::Checked);
      return true;
    case 2:
      box->setCheckState(Qt::PartiallyChecked);
      return true;  // greyed
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------------------------
// The values the controls hold

SettingValues frmSetting::values() const {
  SettingValues all;
  StyleSetValues& v = all.look;
  v.EditColors = EditColors;
  for (std::size_t i = 0; i < 4; ++i) v.cmbBold[i] = cmbBold[i]->currentIndex();
  for (std::size_t i = 0; i < 3; ++i) {
    v.txtLong[i] = txtLong[i]->text();
    v.vscLong[i] = vscLong[i]->value();
  }
  for (std::size_t i = 0; i < 2; ++i) v.txtForm[i] = txtForm[i]->text();
  v.chkDC = checkValue(chkDC);
  v.txtAlign = txtAlign->text();
  v.vscAlign = vscAlign->value();
  v.txtDF = txtDF->text();
  v.cmbFonts = cmbFonts->currentText();
  v.txtFS = txtFS->text();
  v.vscFS = vscFS->value();
  for (std::size_t i = 0; i < 2; ++i) v.chkFont[i] = checkValue(chkFont[i]);
  v.cmbDrawMode = cmbDrawMode->currentIndex();
  v.chkMemori = checkValue(chkMemori);
  v.chkSV = checkValue(chkSV);
  v.chkNhari = checkValue(chkNhari);
  all.txtBackFile = txtBackFile->text();
  all.chkmline = checkValue(chkmline);
  return all;
}

// Sets a control only when its value differs, so that its handler fires exactly as a user's
// change would (Apply, the digital-text controls following chkDC, chkmline following chkMemori, a
// scroll bar rewriting its box); in the order of the style-set file. A changed colour enables
// Apply as the colour chooser does.
void frmSetting::showValues(const SettingValues& all) {
  const StyleSetValues& v = all.look;
  for (std::size_t i = 0; i < 6; ++i) {
    if (EditColors[i] == v.EditColors[i]) continue;
    EditColors[i] = v.EditColors[i];
    const ColorTriplet& c = v.EditColors[i];
    cmdHari[i]->setBackColor(RGB(c.red, c.green, c.blue));
    // A new colour is a change of the dialog, as when the colour chooser sets one.
    AcEnabled();
  }
  for (std::size_t i = 0; i < 4; ++i) setIndexIfChanged(cmbBold[i], v.cmbBold[i]);
  for (std::size_t i = 0; i < 3; ++i) {
    setTextIfChanged(txtLong[i], v.txtLong[i]);
    setBarIfChanged(vscLong[i], v.vscLong[i]);
  }
  for (std::size_t i = 0; i < 2; ++i) setTextIfChanged(txtForm[i], v.txtForm[i]);
  setCheckIfChanged(chkDC, v.chkDC);
  setTextIfChanged(txtAlign, v.txtAlign);
  setBarIfChanged(vscAlign, v.vscAlign);
  setTextIfChanged(txtDF, v.txtDF);
  if (cmbFonts->currentText() != v.cmbFonts) cmbFonts->setEditText(v.cmbFonts);
  setTextIfChanged(txtFS, v.txtFS);
  setBarIfChanged(vscFS, v.vscFS);
  setCheckIfChanged(chkFont[0], v.chkFont[0]);
  setCheckIfChanged(chkFont[1], v.chkFont[1]);
  setIndexIfChanged(cmbDrawMode, v.cmbDrawMode);
  setCheckIfChanged(chkMemori, v.chkMemori);
  setCheckIfChanged(chkSV, v.chkSV);
  setCheckIfChanged(chkNhari, v.chkNhari);
  setCheckIfChanged(chkmline, all.chkmline);
  setTextIfChanged(txtBackFile, all.txtBackFile);
}

QLineEdit* frmSetting::fieldOf(SettingBox field) const {
  switch (field) {
    case SettingBox::Width:
      return txtForm[0];
    case SettingBox::Height:
      return txtForm[1];
    case SettingBox::HourLength:
      return txtLong[0];
    case SettingBox::MinuteLength:
      return txtLong[1];
    case SettingBox::SecondLength:
      return txtLong[2];
    case SettingBox::FontSize:
      return txtFS;
    case SettingBox::TextTop:
      return txtAlign;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Loading

void frmSetting::Form_Load() {
  // Each step that cannot be done (a value outside a control's range) is skipped.
  Loading = true;
  SettingOpen = true;

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->geometry();
    move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
  }

  fillStyleSetList(cmbSkin, styleSetRoot());

  {
    const QString designText = cmbFonts->currentText();
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
      return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    cmbFonts->addItems(families);
    cmbFonts->setCurrentIndex(-1);
    cmbFonts->setEditText(designText);
  }

  {
    const QSignalBlocker quiet(cmbDrawMode);
    for (int mode = 1; mode <= 16; ++mode) {
      // The captions end in a four-character accelerator such as "(&1)".
      const QString caption = host_.DrawModeCaption(mode);
      if (caption.size() >= 4) cmbDrawMode->addItem(caption.chopped(4));
    }
    cmbDrawMode->setCurrentIndex(-1);
  }
  const SettingValues values = settingValuesOf(settings_, host_.ClientSize());
  // Every button shows its colour, whatever it showed before.
  EditColors = values.look.EditColors;
  for (std::size_t i = 0; i < 6; ++i) cmdHari[i]->setBackColor(colorOf(EditColors[i]));
  showValues(values);

  cmdAccept->setEnabled(false);
  Loading = false;
}

// ---------------------------------------------------------------------------------------------
// Change handlers

void frmSetting::AcEnabled() {
  if (!Loading) cmdAccept->setEnabled(true);
}

void frmSetting::chkDC_Click() {
  AcEnabled();
  const bool on = checkValue(chkDC) == 1;
  for (QWidget* w : std::initializer_list<QWidget*>{txtFS, vscFS, txtDF, chkFont[0], chkFont[1],
                                                    cmbFonts, vscAlign, txtAlign, cmdHari[5]})
    w->setEnabled(on);
}

void frmSetting::chkMemori_Click() {
  AcEnabled();
  chkmline->setEnabled(checkValue(chkMemori) != 1);
}

void frmSetting::vscLong_Change(int index) {
  AcEnabled();
  txtLong[index]->setText(IntText(100 - vscLong[index]->value()));
}

void frmSetting::vscFS_Change() {
  txtFS->setText(IntText(136 - vscFS->value()));
  AcEnabled();
}

void frmSetting::vscAlign_Change() {
  txtAlign->setText(IntText(100 - vscAlign->value()));
  AcEnabled();
}

void frmSetting::ClockResized(QSize inner) {
  txtForm[0]->setText(SingleText(static_cast<float>(inner.width())));
  txtForm[1]->setText(SingleText(static_cast<float>(inner.height())));
}

// ---------------------------------------------------------------------------------------------
// Colours

void frmSetting::cmdHari_Click(int index) {
  const auto i = static_cast<std::size_t>(index);
  ColorExchange.color = EditColors[i];
  // The chooser deletes itself when it closes; this dialog may be gone by then as well.
  auto* chooser = new frmColor(this, [this](frmColor* c) { host_.SetTopMost(c, true, this); });
  chooser->setAttribute(Qt::WA_DeleteOnClose);
  chooser->setWindowTitle(lblCap[i]->text() + QStringLiteral("色の選択"));
  const QPointer<frmSetting> self(this);
  chooser->exec();
  if (!self) return;
  if (!ColorExchange.cancelled) {
    AcEnabled();
    cmdHari[i]->setBackColor(colorOf(ColorExchange.color));
    EditColors[i] = ColorExchange.color;
  }
}

// ---------------------------------------------------------------------------------------------
// Background picture

void frmSetting::cmdBrouse_Click() {
  const QString path = ShowOpenDialog(this, PictureFileFilter(), QDir::currentPath());
  // A cancelled chooser empties the path, which removes the picture.
  txtBackFile->setText(path);
}

void frmSetting::txtBackFile_Change() {
  AcEnabled();
  const QString path = txtBackFile->text();
  // Tried on every keystroke: the cache rejects a path that names no file without reading it
  // and decodes a picture once while its file stays the same.
  std::optional<Picture> picture = path.isEmpty() ? std::nullopt : pictures_.load(path);
  if (!picture) {
    imgPrev_.reset();
    cmdSetSize->setVisible(false);
    lblPic->setVisible(false);
    return;
  }
  imgPrev_ = std::move(picture);
  PicWidth = imgPrev_->width;
  PicHeight = imgPrev_->height;
  lblPic->setText(QStringLiteral("画像 - W:") + QString::number(PicWidth) +
                  QStringLiteral(" , H:") + QString::number(PicHeight));
  cmdSetSize->setVisible(true);
  lblPic->setVisible(true);
}

void frmSetting::cmdSetSize_Click() {
  txtForm[0]->setText(IntText(PicWidth));
  txtForm[1]->setText(IntText(PicHeight));
}

// ---------------------------------------------------------------------------------------------
// Style sets

void frmSetting::cmdLoad_Click() {
  SettingValues v = values();
  const StyleSetLoad load = loadStyleSet(styleSetRoot(), cmbSkin->currentText(), v.look, this);
  if (load.kind == StyleSetLoad::Kind::Rejected) return;
  if (load.kind == StyleSetLoad::Kind::Reset) {
    v.chkmline = 0;
    v.txtBackFile.clear();
  } else if (!load.picturePath.isEmpty()) {
    v.txtBackFile = load.picturePath;
  }
  showValues(v);
}

void frmSetting::cmdSSave_Click() {
  const QString name =
      prompts().InputBox(this, QStringLiteral("スタイルセットの名前を付けてください。"),
                         QStringLiteral("Save StyleSet"), QString());
  // The set gets a picture only when the path really holds one.
  const QString picture = imgPrev_ ? txtBackFile->text() : QString();
  const StyleSetSave saved = saveStyleSet(styleSetRoot(), name, values().look, picture, this);
  if (saved == StyleSetSave::Saved || saved == StyleSetSave::Failed)
    fillStyleSetList(cmbSkin, styleSetRoot());
}

// ---------------------------------------------------------------------------------------------
// Applying

bool frmSetting::SetSetting() {
  // Every number is checked first, so a refused entry leaves the record as it was.
  const SettingValues v = values();
  if (const std::optional<SettingRefusal> refused = firstRefusal(v, txtFS->isEnabled())) {
    QLineEdit* field = fieldOf(refused->field);
    prompts().MsgBox(this, refused->message, Buttons::Ok, Icon::Warning, kCaption);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
  }
  writeRecord(v, settings_);
  // The window keeps its left and top. A resize of the clock writes the new size back into the
  // fields while the dialog is open.
  host_.SetClientSize(clientSizeOf(v));
  host_.Face().NeedPrepare = true;
  return true;
}

void frmSetting::cmdAccept_Click() {
  if (!SetSetting()) return;
  // A failed save shows a box, whose event loop may see the dialog unloaded.
  const QPointer<frmSetting> self(this);
  host_.SaveSettings(this);
  if (self) cmdAccept->setEnabled(false);
}

void frmSetting::cmdOK_Click() {
  if (!SetSetting()) return;
  const QPointer<frmSetting> self(this);
  host_.SaveSettings(this);
  if (!self) return;
  SettingOpen = false;
  unload();
}

void frmSetting::cmdCancel_Click() {
  SettingOpen = false;
  unload();
}

void frmSetting::reject() { cmdCancel_Click(); }

void frmSetting::unload() {
  timI->stop();
  if (g_instance == this) g_instance = nullptr;
  hide();
  deleteLater();
}

// ---------------------------------------------------------------------------------------------
// Preview

PreviewInputs frmSetting::previewInputs() const {
  // The preview shows the colours as the buttons show them.
  SettingValues v = values();
  for (std::size_t i = 0; i < 6; ++i) {
    const Rgb c = cmdHari[i]->BackColor();
    v.look.EditColors[i] = {static_cast<std::int16_t>(redOf(c)),
                            static_cast<std::int16_t>(greenOf(c)),
                            static_cast<std::int16_t>(blueOf(c))};
  }
  PreviewInputs in = previewInputsOf(v);
  in.picture = imgPrev_ ? &*imgPrev_ : nullptr;
  return in;
}

void frmSetting::timI_Timer() { DrawPreview(*prevSurface_, host_.Face(), previewInputs(), clock_); }

// ---------------------------------------------------------------------------------------------
// The one instance

frmSetting* ShowSettings(ClockSettings& settings, SettingsHost& host) {
  if (!g_instance) {
    g_instance = new frmSetting(settings, host);
    g_instance->show();
  } else {
    ShowActivated(*g_instance);
  }
  return g_instance;
}

frmSetting* OpenSettings() { return g_instance; }

void SettingsClockResized(QSize inner) {
  if (SettingOpen && g_instance) g_instance->ClockResized(inner);
}

}  // namespace kwemo
