#include "settings/frmColor.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "oldruntime/Rgb.h"
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
  Picture1 = new QWidget(this);
  Picture1->setGeometry(0, 0, 57, 68);
  Picture1->setAutoFillBackground(true);

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
    lblC[static_cast<std::size_t>(i)] = label;
  }

  hscR = makeBar(this, 0);
  hscG = makeBar(this, 16);
  hscB = makeBar(this, 32);
  lblR = makeValueLabel(this, 2);
  lblG = makeValueLabel(this, 18);
  lblB = makeValueLabel(this, 34);
  // The widest value must show whole: with a larger font the window grows to fit "255".
  lblR->setText(QStringLiteral("255"));
  lblR->adjustSize();
  setFixedSize(std::max(width(), lblR->geometry().right() + 1), height());

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setGeometry(120, 50, 64, 17);
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  cmdCancel->setGeometry(188, 50, 64, 17);

  setTabOrder(hscR, hscG);
  setTabOrder(hscG, hscB);
  setTabOrder(hscB, cmdOK);
  setTabOrder(cmdOK, cmdCancel);

  // valueChanged covers both the old Change (after a click) and Scroll (while dragging).
  for (QScrollBar* bar : {hscR, hscG, hscB})
    connect(bar, &QScrollBar::valueChanged, this, &frmColor::CreateColor);
  connect(cmdOK, &QPushButton::clicked, this, &frmColor::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmColor::cmdCancel_Click);

  Form_Load(placeOnLoad);
}

void frmColor::Form_Load(const std::function<void(frmColor*)>& placeOnLoad) {
  if (placeOnLoad) placeOnLoad(this);
  // The bars clamp to 0-255 themselves; a stored component outside that range shows at the edge.
  hscB->setValue(ColorExchange.color.blue);
  hscG->setValue(ColorExchange.color.green);
  hscR->setValue(ColorExchange.color.red);
  CreateColor();
}

void frmColor::CreateColor() {
  lblR->setText(QString::number(hscR->value()));
  lblR->adjustSize();
  lblG->setText(QString::number(hscG->value()));
  lblG->adjustSize();
  lblB->setText(QString::number(hscB->value()));
  lblB->adjustSize();
  QPalette pal = Picture1->palette();
  pal.setColor(QPalette::Window, toQColor(RGB(hscR->value(), hscG->value(), hscB->value())));
  Picture1->setPalette(pal);
}

void frmColor::cmdOK_Click() {
  ColorExchange.color.red = static_cast<std::int16_t>(hscR->value());
  ColorExchange.color.green = static_cast<std::int16_t>(hscG->value());
  ColorExchange.color.blue = static_cast<std::int16_t>(hscB->value());
  ColorExchange.cancelled = false;
  accept();
}

void frmColor::cmdCancel_Click() {
  ColorExchange.cancelled = true;
  QDialog::reject();
}

void frmColor::reject() { cmdCancel_Click(); }

}  // namespace kwemo
