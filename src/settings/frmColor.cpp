#include "settings/frmColor.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "oldruntime/RgbColor.h"
#include "settings/ColorButton.h"
#include "settings/SettingsShared.h"

namespace kwemo {

frmColor::frmColor(QWidget* parent, const std::function<void(frmColor*)>& placeOnLoad)
    : QDialog(parent) {
  ui_.setupUi(this);
  // valueChanged covers both the old Change (after a click) and Scroll (while dragging).
  for (QScrollBar* bar : {ui_.hscR, ui_.hscG, ui_.hscB})
    connect(bar, &QScrollBar::valueChanged, this, &frmColor::CreateColor);
  connect(ui_.cmdOK, &QPushButton::clicked, this, &frmColor::cmdOK_Click);
  connect(ui_.cmdCancel, &QPushButton::clicked, this, &frmColor::cmdCancel_Click);
  Form_Load(placeOnLoad);
}

void frmColor::Form_Load(const std::function<void(frmColor*)>& placeOnLoad) {
  if (placeOnLoad) placeOnLoad(this);
  // The bars clamp to 0-255 themselves; a stored component outside that range shows at the edge.
  ui_.hscB->setValue(ColorExchange.color.blue);
  ui_.hscG->setValue(ColorExchange.color.green);
  ui_.hscR->setValue(ColorExchange.color.red);
  CreateColor();
}

void frmColor::CreateColor() {
  ui_.lblR->setText(QString::number(ui_.hscR->value()));
  ui_.lblR->adjustSize();
  ui_.lblG->setText(QString::number(ui_.hscG->value()));
  ui_.lblG->adjustSize();
  ui_.lblB->setText(QString::number(ui_.hscB->value()));
  ui_.lblB->adjustSize();
  QPalette pal = ui_.Picture1->palette();
  pal.setColor(QPalette::Window,
               toQColor(RGB(ui_.hscR->value(), ui_.hscG->value(), ui_.hscB->value())));
  ui_.Picture1->setPalette(pal);
}

void frmColor::cmdOK_Click() {
  ColorExchange.color.red = static_cast<std::int16_t>(ui_.hscR->value());
  ColorExchange.color.green = static_cast<std::int16_t>(ui_.hscG->value());
  ColorExchange.color.blue = static_cast<std::int16_t>(ui_.hscB->value());
  ColorExchange.cancelled = false;
  accept();
}

void frmColor::cmdCancel_Click() {
  ColorExchange.cancelled = true;
  QDialog::reject();
}

void frmColor::reject() { cmdCancel_Click(); }

}  // namespace kwemo
