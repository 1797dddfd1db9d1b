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
  setWindowTitle(kCaption);
  prevSurface_ = new DrawSurface(129, 124, this);
  ui_.setupUi(this, *prevSurface_);
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

void frmSetting::connectHandlers() {
  // Qt's signals stand for the old change and click events: they fire when a value really
  // changes, by the user or by code, which is what makes the loading order matter.
  auto acEnabled = [this] { AcEnabled(); };
  for (QCheckBox* box : {ui_.chkFont[0], ui_.chkFont[1], ui_.chkmline, ui_.chkNhari, ui_.chkSV})
    connect(box, &QCheckBox::stateChanged, this, acEnabled);
  connect(ui_.chkDC, &QCheckBox::stateChanged, this, [this] { chkDC_Click(); });
  connect(ui_.chkMemori, &QCheckBox::stateChanged, this, [this] { chkMemori_Click(); });
  for (QComboBox* list : ui_.cmbBold)
    connect(list, &QComboBox::currentIndexChanged, this, acEnabled);
  connect(ui_.cmbDrawMode, &QComboBox::currentIndexChanged, this, acEnabled);
  connect(ui_.cmbFonts, &QComboBox::currentIndexChanged, this, acEnabled);
  connect(ui_.cmbFonts, &QComboBox::editTextChanged, this, acEnabled);
  // txtFS and txtLong have no change handler: typing there alone does not enable Apply.
  for (QLineEdit* text : {ui_.txtAlign, ui_.txtDF, ui_.txtForm[0], ui_.txtForm[1]})
    connect(text, &QLineEdit::textChanged, this, acEnabled);
  connect(ui_.txtBackFile, &QLineEdit::textChanged, this, &frmSetting::txtBackFile_Change);
  for (int i = 0; i < 3; ++i)
    connect(ui_.vscLong[i], &QScrollBar::valueChanged, this, [this, i] { vscLong_Change(i); });
  connect(ui_.vscFS, &QScrollBar::valueChanged, this, &frmSetting::vscFS_Change);
  connect(ui_.vscAlign, &QScrollBar::valueChanged, this, &frmSetting::vscAlign_Change);
  for (QLineEdit* text : {ui_.txtAlign, ui_.txtLong[0], ui_.txtLong[1], ui_.txtLong[2],
                          ui_.txtForm[0], ui_.txtForm[1], ui_.txtFS, ui_.txtDF, ui_.txtBackFile})
    text->installEventFilter(this);
  for (int i = 0; i < 6; ++i)
    connect(ui_.cmdHari[i], &QPushButton::clicked, this, [this, i] { cmdHari_Click(i); });
  // Every pick loads, the entry already shown included; refilling the list picks nothing.
  connect(ui_.cmbSkin, &QComboBox::activated, this, [this](int index) {
    if (index >= 0) cmdLoad_Click();
  });
  connect(ui_.cmdLoad, &QPushButton::clicked, this, &frmSetting::cmdLoad_Click);
  connect(ui_.cmdSSave, &QPushButton::clicked, this, &frmSetting::cmdSSave_Click);
  connect(ui_.cmdBrouse, &QPushButton::clicked, this, &frmSetting::cmdBrouse_Click);
  connect(ui_.cmdSetSize, &QPushButton::clicked, this, &frmSetting::cmdSetSize_Click);
  connect(ui_.cmdOK, &QPushButton::clicked, this, &frmSetting::cmdOK_Click);
  connect(ui_.cmdAccept, &QPushButton::clicked, this, &frmSetting::cmdAccept_Click);
  connect(ui_.cmdCancel, &QPushButton::clicked, this, &frmSetting::cmdCancel_Click);
  connect(ui_.timI, &QTimer::timeout, this, &frmSetting::timI_Timer);
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
  for (std::size_t i = 0; i < 4; ++i) v.cmbBold[i] = ui_.cmbBold[i]->currentIndex();
  for (std::size_t i = 0; i < 3; ++i) {
    v.txtLong[i] = ui_.txtLong[i]->text();
    v.vscLong[i] = ui_.vscLong[i]->value();
  }
  for (std::size_t i = 0; i < 2; ++i) v.txtForm[i] = ui_.txtForm[i]->text();
  v.chkDC = checkValue(ui_.chkDC);
  v.txtAlign = ui_.txtAlign->text();
  v.vscAlign = ui_.vscAlign->value();
  v.txtDF = ui_.txtDF->text();
  v.cmbFonts = ui_.cmbFonts->currentText();
  v.txtFS = ui_.txtFS->text();
  v.vscFS = ui_.vscFS->value();
  for (std::size_t i = 0; i < 2; ++i) v.chkFont[i] = checkValue(ui_.chkFont[i]);
  v.cmbDrawMode = ui_.cmbDrawMode->currentIndex();
  v.chkMemori = checkValue(ui_.chkMemori);
  v.chkSV = checkValue(ui_.chkSV);
  v.chkNhari = checkValue(ui_.chkNhari);
  all.txtBackFile = ui_.txtBackFile->text();
  all.chkmline = checkValue(ui_.chkmline);
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
    ui_.cmdHari[i]->setBackColor(RGB(c.red, c.green, c.blue));
    // A new colour is a change of the dialog, as when the colour chooser sets one.
    AcEnabled();
  }
  for (std::size_t i = 0; i < 4; ++i) setIndexIfChanged(ui_.cmbBold[i], v.cmbBold[i]);
  for (std::size_t i = 0; i < 3; ++i) {
    setTextIfChanged(ui_.txtLong[i], v.txtLong[i]);
    setBarIfChanged(ui_.vscLong[i], v.vscLong[i]);
  }
  for (std::size_t i = 0; i < 2; ++i) setTextIfChanged(ui_.txtForm[i], v.txtForm[i]);
  setCheckIfChanged(ui_.chkDC, v.chkDC);
  setTextIfChanged(ui_.txtAlign, v.txtAlign);
  setBarIfChanged(ui_.vscAlign, v.vscAlign);
  setTextIfChanged(ui_.txtDF, v.txtDF);
  if (ui_.cmbFonts->currentText() != v.cmbFonts) ui_.cmbFonts->setEditText(v.cmbFonts);
  setTextIfChanged(ui_.txtFS, v.txtFS);
  setBarIfChanged(ui_.vscFS, v.vscFS);
  setCheckIfChanged(ui_.chkFont[0], v.chkFont[0]);
  setCheckIfChanged(ui_.chkFont[1], v.chkFont[1]);
  setIndexIfChanged(ui_.cmbDrawMode, v.cmbDrawMode);
  setCheckIfChanged(ui_.chkMemori, v.chkMemori);
  setCheckIfChanged(ui_.chkSV, v.chkSV);
  setCheckIfChanged(ui_.chkNhari, v.chkNhari);
  setCheckIfChanged(ui_.chkmline, all.chkmline);
  setTextIfChanged(ui_.txtBackFile, all.txtBackFile);
}

QLineEdit* frmSetting::fieldOf(SettingBox field) const {
  switch (field) {
    case SettingBox::Width:
      return ui_.txtForm[0];
    case SettingBox::Height:
      return ui_.txtForm[1];
    case SettingBox::HourLength:
      return ui_.txtLong[0];
    case SettingBox::MinuteLength:
      return ui_.txtLong[1];
    case SettingBox::SecondLength:
      return ui_.txtLong[2];
    case SettingBox::FontSize:
      return ui_.txtFS;
    case SettingBox::TextTop:
      return ui_.txtAlign;
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

  fillStyleSetList(ui_.cmbSkin, styleSetRoot());

  {
    const QString designText = ui_.cmbFonts->currentText();
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
      return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    ui_.cmbFonts->addItems(families);
    ui_.cmbFonts->setCurrentIndex(-1);
    ui_.cmbFonts->setEditText(designText);
  }

  {
    const QSignalBlocker quiet(ui_.cmbDrawMode);
    for (int mode = 1; mode <= 16; ++mode) {
      // The captions end in a four-character accelerator such as "(&1)".
      const QString caption = host_.DrawModeCaption(mode);
      if (caption.size() >= 4) ui_.cmbDrawMode->addItem(caption.chopped(4));
    }
    ui_.cmbDrawMode->setCurrentIndex(-1);
  }
  const SettingValues values = settingValuesOf(settings_, host_.ClientSize());
  // Every button shows its colour, whatever it showed before.
  EditColors = values.look.EditColors;
  for (std::size_t i = 0; i < 6; ++i) ui_.cmdHari[i]->setBackColor(colorOf(EditColors[i]));
  showValues(values);

  ui_.cmdAccept->setEnabled(false);
  Loading = false;
}

// ---------------------------------------------------------------------------------------------
// Change handlers

void frmSetting::AcEnabled() {
  if (!Loading) ui_.cmdAccept->setEnabled(true);
}

void frmSetting::chkDC_Click() {
  AcEnabled();
  const bool on = checkValue(ui_.chkDC) == 1;
  for (QWidget* w : std::initializer_list<QWidget*>{ui_.txtFS, ui_.vscFS, ui_.txtDF, ui_.chkFont[0],
                                                    ui_.chkFont[1], ui_.cmbFonts, ui_.vscAlign,
                                                    ui_.txtAlign, ui_.cmdHari[5]})
    w->setEnabled(on);
}

void frmSetting::chkMemori_Click() {
  AcEnabled();
  ui_.chkmline->setEnabled(checkValue(ui_.chkMemori) != 1);
}

void frmSetting::vscLong_Change(int index) {
  AcEnabled();
  ui_.txtLong[index]->setText(IntText(100 - ui_.vscLong[index]->value()));
}

void frmSetting::vscFS_Change() {
  ui_.txtFS->setText(IntText(136 - ui_.vscFS->value()));
  AcEnabled();
}

void frmSetting::vscAlign_Change() {
  ui_.txtAlign->setText(IntText(100 - ui_.vscAlign->value()));
  AcEnabled();
}

void frmSetting::ClockResized(QSize inner) {
  ui_.txtForm[0]->setText(SingleText(static_cast<float>(inner.width())));
  ui_.txtForm[1]->setText(SingleText(static_cast<float>(inner.height())));
}

// ---------------------------------------------------------------------------------------------
// Colours

void frmSetting::cmdHari_Click(int index) {
  const auto i = static_cast<std::size_t>(index);
  ColorExchange.color = EditColors[i];
  // The chooser deletes itself when it closes; this dialog may be gone by then as well.
  auto* chooser = new frmColor(this, [this](frmColor* c) { host_.SetTopMost(c, true, this); });
  chooser->setAttribute(Qt::WA_DeleteOnClose);
  chooser->setWindowTitle(ui_.lblCap[i]->text() + QStringLiteral("色の選択"));
  const QPointer<frmSetting> self(this);
  chooser->exec();
  if (!self) return;
  if (!ColorExchange.cancelled) {
    AcEnabled();
    ui_.cmdHari[i]->setBackColor(colorOf(ColorExchange.color));
    EditColors[i] = ColorExchange.color;
  }
}

// ---------------------------------------------------------------------------------------------
// Background picture

void frmSetting::cmdBrouse_Click() {
  const QString path = ShowOpenDialog(this, PictureFileFilter(), QDir::currentPath());
  // A cancelled chooser empties the path, which removes the picture.
  ui_.txtBackFile->setText(path);
}

void frmSetting::txtBackFile_Change() {
  AcEnabled();
  const QString path = ui_.txtBackFile->text();
  // Tried on every keystroke: the cache rejects a path that names no file without reading it
  // and decodes a picture once while its file stays the same.
  std::optional<Picture> picture = path.isEmpty() ? std::nullopt : pictures_.load(path);
  if (!picture) {
    imgPrev_.reset();
    ui_.cmdSetSize->setVisible(false);
    ui_.lblPic->setVisible(false);
    return;
  }
  imgPrev_ = std::move(picture);
  PicWidth = imgPrev_->width;
  PicHeight = imgPrev_->height;
  ui_.lblPic->setText(QStringLiteral("画像 - W:") + QString::number(PicWidth) +
                      QStringLiteral(" , H:") + QString::number(PicHeight));
  ui_.cmdSetSize->setVisible(true);
  ui_.lblPic->setVisible(true);
}

void frmSetting::cmdSetSize_Click() {
  ui_.txtForm[0]->setText(IntText(PicWidth));
  ui_.txtForm[1]->setText(IntText(PicHeight));
}

// ---------------------------------------------------------------------------------------------
// Style sets

void frmSetting::cmdLoad_Click() {
  SettingValues v = values();
  const StyleSetLoad load = loadStyleSet(styleSetRoot(), ui_.cmbSkin->currentText(), v.look, this);
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
  const QString picture = imgPrev_ ? ui_.txtBackFile->text() : QString();
  const StyleSetSave saved = saveStyleSet(styleSetRoot(), name, values().look, picture, this);
  if (saved == StyleSetSave::Saved || saved == StyleSetSave::Failed)
    fillStyleSetList(ui_.cmbSkin, styleSetRoot());
}

// ---------------------------------------------------------------------------------------------
// Applying

bool frmSetting::SetSetting() {
  // Every number is checked first, so a refused entry leaves the record as it was.
  const SettingValues v = values();
  if (const std::optional<SettingRefusal> refused = firstRefusal(v, ui_.txtFS->isEnabled())) {
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
  if (self) ui_.cmdAccept->setEnabled(false);
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
  ui_.timI->stop();
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
    const Rgb c = ui_.cmdHari[i]->BackColor();
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
