#include "settings/frmColor.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "oldruntime/RgbColor.h"
#include "settings/ColorButton.h"
#include "settings/SettingsShared.h"

namespace kwemo {

namespace {

QScrollBar* makeBar(QWidget* parent, int y) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setGeometry(70, y, 160, 16);
  bar->setRange(0, 255);
  bar->setSingleStep(1);
  bar->setPageStep(25);
  bar->setFocusPolicy(Qt::StrongFocus);  // the bars are tab stops, red first
  return bar;
}

QLabel* makeValueLabel(QWidget* parent, int y) {
  auto* label = new QLabel(QStringLiteral("0"), parent);
  label->move(232, y);
  label->setAutoFillBackground(false);
  label->adjustSize();
  return label;
}

}  // namespace

frmColor::frmColor(QWidget* parent, const std::function<void(frmColor*)>& placeOnLoad)
    : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(255, 68);
  move(522, 143);

  // The swatch is a plain filled area; it never draws anything but its colour.
  Picture1_ = new QWidget(this);
  Picture1_->setGeometry(0, 0, 57, 68);
  Picture1_->setAutoFillBackground(true);

  const char* names[3] = {"R", "G", "B"};
  const QColor backs[3] = {Qt::red, Qt::green, Qt::blue};
  QFont black(QStringLiteral("Arial Black"));
  black.setPointSizeF(9.75);
  black.setWeight(QFont::Black);
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromLatin1(names[i]), this);
    label->setFont(black);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(58, 1 + 16 * i, 12, 15);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, backs[i]);
    pal.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
    lblC_[static_cast<std::size_t>(i)] = label;
  }

  hscR_ = makeBar(this, 0);
  hscG_ = makeBar(this, 16);
  hscB_ = makeBar(this, 32);
  lblR_ = makeValueLabel(this, 2);
  lblG_ = makeValueLabel(this, 18);
  lblB_ = makeValueLabel(this, 34);
  // The widest value must show whole: with a larger font the window grows to fit "255".
  lblR_->setText(QStringLiteral("255"));
  lblR_->adjustSize();
  setFixedSize(std::max(width(), lblR_->geometry().right() + 1), height());

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setGeometry(120, 50, 64, 17);
  cmdOK_->setDefault(true);
  cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel_->setGeometry(188, 50, 64, 17);

  setTabOrder(hscR_, hscG_);
  setTabOrder(hscG_, hscB_);
  setTabOrder(hscB_, cmdOK_);
  setTabOrder(cmdOK_, cmdCancel_);

  // valueChanged covers both the old Change (after a click) and Scroll (while dragging).
  for (QScrollBar* bar : {hscR_, hscG_, hscB_})
    connect(bar, &QScrollBar::valueChanged, this, &frmColor::CreateColor);
  connect(cmdOK_, &QPushButton::clicked, this, &frmColor::cmdOK_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmColor::cmdCancel_Click);

  Picture1_->setObjectName(QStringLiteral("Picture1"));
  for (const auto& [control, name] :
       std::initializer_list<std::pair<QWidget*, const char*>>{{hscR_, "hscR"},
                                                               {hscG_, "hscG"},
                                                               {hscB_, "hscB"},
                                                               {lblR_, "lblR"},
                                                               {lblG_, "lblG"},
                                                               {lblB_, "lblB"},
                                                               {cmdOK_, "cmdOK"},
                                                               {cmdCancel_, "cmdCancel"}})
    control->setObjectName(QString::fromLatin1(name));
  for (std::size_t i = 0; i < 3; ++i) lblC_[i]->setObjectName(QStringLiteral("lblC%1").arg(i));

  Form_Load(placeOnLoad);
}

void frmColor::Form_Load(const std::function<void(frmColor*)>& placeOnLoad) {
  if (placeOnLoad) placeOnLoad(this);
  // The bars clamp to 0-255 themselves; a stored component outside that range shows at the edge.
  hscB_->setValue(ColorExchange.color.blue);
  hscG_->setValue(ColorExchange.color.green);
  hscR_->setValue(ColorExchange.color.red);
  CreateColor();
}

void frmColor::CreateColor() {
  lblR_->setText(QString::number(hscR_->value()));
  lblR_->adjustSize();
  lblG_->setText(QString::number(hscG_->value()));
  lblG_->adjustSize();
  lblB_->setText(QString::number(hscB_->value()));
  lblB_->adjustSize();
  QPalette pal = Picture1_->palette();
  pal.setColor(QPalette::Window, toQColor(RGB(hscR_->value(), hscG_->value(), hscB_->value())));
  Picture1_->setPalette(pal);
}

void frmColor::cmdOK_Click() {
  ColorExchange.color.red = static_cast<std::int16_t>(hscR_->value());
  ColorExchange.color.green = static_cast<std::int16_t>(hscG_->value());
  ColorExchange.color.blue = static_cast<std::int16_t>(hscB_->value());
  ColorExchange.cancelled = false;
  accept();
}

void frmColor::cmdCancel_Click() {
  ColorExchange.cancelled = true;
  QDialog::reject();
}

void frmColor::reject() { cmdCancel_Click(); }

}  // namespace kwemo
