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
#include "settings/StyleSetControls.h"
#include "settings/StyleSets.h"
#include "settings/frmColor.h"
#include "settings/modCmOpen.h"
#include "surface/DrawSurface.h"
#include "surface/view/SurfaceView.h"

namespace kwemo {

namespace {

QPointer<frmSetting> g_instance;

// Limits of what the clock can use; entries outside them are refused at OK and Apply.
constexpr double kMinClientSide = 16;
constexpr double kMaxClientSide = 8192;
constexpr int kMinFontPoints = 1;
constexpr int kMaxFontPoints = 500;

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

// Sets a bar the way the old forms did: a value outside its range is an error and leaves it.
bool setBarValue(QScrollBar* bar, double value) {
  const std::optional<std::int16_t> v = toInt16(value);
  if (!v || *v < bar->minimum() || *v > bar->maximum()) return false;
  bar->setValue(*v);
  return true;
}

// Selects a list entry the way the old forms did: -1 clears, anything else out of range fails.
bool setListIndex(QComboBox* list, int index) {
  if (index < -1 || index >= list->count()) return false;
  list->setCurrentIndex(index);
  return true;
}

Rgb colorOf(const ColorTriplet& c) { return RGB(c.red, c.green, c.blue); }

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
  setListIndex(cmbDrawMode, settings_.DrawMode - 1);

  const ClockSettings& s = settings_;
  const std::array<ColorTriplet, 6> record = {ColorTriplet{s.Hour_R, s.Hour_G, s.Hour_B},
                                              ColorTriplet{s.Minute_R, s.Minute_G, s.Minute_B},
                                              ColorTriplet{s.Second_R, s.Second_G, s.Second_B},
                                              ColorTriplet{s.BG_R, s.BG_G, s.BG_B},
                                              ColorTriplet{s.Circle_R, s.Circle_G, s.Circle_B},
                                              ColorTriplet{s.Moji_R, s.Moji_G, s.Moji_B}};
  for (std::size_t i = 0; i < 6; ++i) cmdHari[i]->setBackColor(colorOf(record[i]));

  setCheckValue(chkDC, s.DigitalClock);

  txtFS->setText(IntText(s.FontSize));
  setBarValue(vscFS, 136.0 - s.FontSize);

  txtDF->setText(s.Format);
  cmbFonts->setEditText(s.FontName);

  for (std::size_t i = 0; i < 3; ++i) {
    txtLong[i]->setText(SingleText(s.hLong[i]));
    setBarValue(vscLong[i], roundHalfEven(100.0 - static_cast<double>(s.hLong[i])));
  }

  if (s.FontBold) setCheckValue(chkFont[0], 1);
  if (s.FontItalic) setCheckValue(chkFont[1], 1);
  if (s.mPset) setCheckValue(chkmline, 1);
  if (s.nHari) setCheckValue(chkNhari, 1);
  if (s.Memori) setCheckValue(chkMemori, 1);
  if (s.HideSecond) setCheckValue(chkSV, 1);

  txtAlign->setText(SingleText(s.TextTop));
  setBarValue(vscAlign, roundHalfEven(100.0 - static_cast<double>(s.TextTop)));

  setListIndex(cmbBold[0], s.HourLine - 1);
  setListIndex(cmbBold[1], s.MinuteLine - 1);
  setListIndex(cmbBold[2], s.SecondLine - 1);
  setListIndex(cmbBold[3], s.BackLine - 1);

  txtBackFile->setText(s.BackBMP);

  EditColors = record;

  const QSize inner = host_.ClientSize();
  txtForm[0]->setText(SingleText(static_cast<float>(inner.width())));
  txtForm[1]->setText(SingleText(static_cast<float>(inner.height())));

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
  StyleSetValues values = styleSetValuesOf(*this);
  const StyleSetLoad load = loadStyleSet(styleSetRoot(), cmbSkin->currentText(), values, this);
  if (load.kind == StyleSetLoad::Kind::Rejected) return;
  applyStyleSetValues(*this, values);
  if (load.kind == StyleSetLoad::Kind::Reset) {
    setCheckValue(chkmline, 0);
    txtBackFile->setText(QString());
  } else if (!load.picturePath.isEmpty()) {
    txtBackFile->setText(load.picturePath);
  }
}

void frmSetting::cmdSSave_Click() {
  const QString name =
      prompts().InputBox(this, QStringLiteral("スタイルセットの名前を付けてください。"),
                         QStringLiteral("Save StyleSet"), QString());
  // The set gets a picture only when the path really holds one.
  const QString picture = imgPrev_ ? txtBackFile->text() : QString();
  const StyleSetSave saved =
      saveStyleSet(styleSetRoot(), name, styleSetValuesOf(*this), picture, this);
  if (saved == StyleSetSave::Saved || saved == StyleSetSave::Failed)
    fillStyleSetList(cmbSkin, styleSetRoot());
}

// ---------------------------------------------------------------------------------------------
// Applying

bool frmSetting::validateNumbers() {
  struct Check {
    QLineEdit* field;
    bool ok;
    const char16_t* message;
  };
  auto clientSide = [](const QLineEdit* e) {
    const std::optional<double> v = CDbl(e->text());
    return v && std::isfinite(*v) && *v >= kMinClientSide && *v <= kMaxClientSide;
  };
  auto single = [](const QLineEdit* e) {
    const std::optional<float> v = CSng(e->text());
    return v && std::isfinite(*v);
  };
  // The digital-text boxes are checked only while they can be edited: with the digital text off
  // a value there that cannot be used keeps the record's value instead (see SetSetting).
  const std::optional<std::int16_t> points = CInt(txtFS->text());
  const bool fontOk =
      !txtFS->isEnabled() || (points && *points >= kMinFontPoints && *points <= kMaxFontPoints);
  const bool alignOk = !txtAlign->isEnabled() || single(txtAlign);
  const char16_t* sizeMsg = u"フォームの幅と高さには 16 から 8192 までの数値を入力してください。";
  const char16_t* longMsg = u"針の長さには数値を入力してください。";
  // In the order the fields are read on screen, so the first one reported is the topmost.
  const Check checks[] = {
      {txtForm[0], clientSide(txtForm[0]), sizeMsg},
      {txtForm[1], clientSide(txtForm[1]), sizeMsg},
      {txtLong[0], single(txtLong[0]), longMsg},
      {txtLong[1], single(txtLong[1]), longMsg},
      {txtLong[2], single(txtLong[2]), longMsg},
      {txtFS, fontOk, u"フォントサイズには 1 から 500 までの数値を入力してください。"},
      {txtAlign, alignOk, u"縦位置には数値を入力してください。"},
  };
  for (const Check& c : checks) {
    if (c.ok) continue;
    prompts().MsgBox(this, QString::fromUtf16(c.message), Buttons::Ok, Icon::Warning, kCaption);
    c.field->setFocus(Qt::OtherFocusReason);
    c.field->selectAll();
    return false;
  }
  return true;
}

bool frmSetting::SetSetting() {
  // Every number is checked first, so a refused entry leaves the record as it was.
  if (!validateNumbers()) return false;
  ClockSettings& s = settings_;

  s.DrawMode = static_cast<std::int16_t>(cmbDrawMode->currentIndex() + 1);
  s.FontName = cmbFonts->currentText();
  if (const std::optional<float> top = CSng(txtAlign->text()); top && std::isfinite(*top))
    s.TextTop = *top;

  auto put = [](const ColorTriplet& c, std::int16_t& r, std::int16_t& g, std::int16_t& b) {
    r = c.red;
    g = c.green;
    b = c.blue;
  };
  put(EditColors[0], s.Hour_R, s.Hour_G, s.Hour_B);
  put(EditColors[1], s.Minute_R, s.Minute_G, s.Minute_B);
  put(EditColors[2], s.Second_R, s.Second_G, s.Second_B);
  put(EditColors[3], s.BG_R, s.BG_G, s.BG_B);
  put(EditColors[4], s.Circle_R, s.Circle_G, s.Circle_B);
  put(EditColors[5], s.Moji_R, s.Moji_G, s.Moji_B);

  s.HideSecond = checkValue(chkSV) != 0;
  for (std::size_t i = 0; i < 3; ++i) s.hLong[i] = *CSng(txtLong[i]->text());

  s.HourLine = static_cast<std::int16_t>(cmbBold[0]->currentIndex() + 1);
  s.MinuteLine = static_cast<std::int16_t>(cmbBold[1]->currentIndex() + 1);
  s.SecondLine = static_cast<std::int16_t>(cmbBold[2]->currentIndex() + 1);
  s.BackLine = static_cast<std::int16_t>(cmbBold[3]->currentIndex() + 1);

  // The derived colours come from the buttons.
  s.HourColor = cmdHari[0]->BackColor();
  s.MinuteColor = cmdHari[1]->BackColor();
  s.SecondColor = cmdHari[2]->BackColor();
  s.CircleColor = cmdHari[4]->BackColor();
  s.MojiColor = cmdHari[5]->BackColor();

  s.nHari = checkValue(chkNhari) != 0;
  s.mPset = checkValue(chkmline) != 0;
  s.DigitalClock = static_cast<std::int16_t>(checkValue(chkDC));

  // The inner area becomes exactly the entered size; the window keeps its left and top. A
  // resize of the clock writes the new size back into the fields while the dialog is open.
  const double w = *CDbl(txtForm[0]->text());
  const double h = *CDbl(txtForm[1]->text());
  host_.SetClientSize(
      QSize(static_cast<int>(roundHalfEven(w)), static_cast<int>(roundHalfEven(h))));

  if (const std::optional<std::int16_t> points = CInt(txtFS->text());
      points && *points >= kMinFontPoints && *points <= kMaxFontPoints)
    s.FontSize = *points;
  s.Format = txtDF->text();
  s.FontBold = checkValue(chkFont[0]) != 0;
  s.FontItalic = checkValue(chkFont[1]) != 0;
  s.Memori = checkValue(chkMemori) != 0;
  s.BackBMP = txtBackFile->text();

  host_.Face().NeedPrepare = true;
  return true;
}

void frmSetting::cmdAccept_Click() {
  if (!SetSetting()) return;
  cmdAccept->setEnabled(false);
}

void frmSetting::cmdOK_Click() {
  if (!SetSetting()) return;
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
  PreviewInputs in;
  in.drawMode = cmbDrawMode->currentIndex() + 1;
  in.backColor = cmdHari[3]->BackColor();
  in.circleColor = cmdHari[4]->BackColor();
  in.mojiColor = cmdHari[5]->BackColor();
  for (std::size_t i = 0; i < 3; ++i) {
    in.handColor[i] = cmdHari[i]->BackColor();
    in.handWidth[i] = CInt(cmbBold[i]->currentText());
    in.handLength[i] = CDbl(txtLong[i]->text());
  }
  in.markWidth = CInt(cmbBold[3]->currentText());
  in.fontSize = CSng(txtFS->text());
  in.fontName = cmbFonts->currentText();
  in.fontBold = checkValue(chkFont[0]) != 0;
  in.fontItalic = checkValue(chkFont[1]) != 0;
  in.textTop = Val(txtAlign->text());
  in.format = txtDF->text();
  in.tickMarks = checkValue(chkMemori) == 0;
  in.minuteDots = checkValue(chkmline) == 1;
  in.digitalText = checkValue(chkDC) == 1;
  in.fanHands = checkValue(chkNhari) == 1;
  in.secondHand = checkValue(chkSV) == 0;
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
