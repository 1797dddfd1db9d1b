#include "settings/StyleSetControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

#include "settings/ColorButton.h"
#include "settings/frmSetting.h"
#include "settings/modFileSearch.h"

namespace kwemo {

namespace {

void setText(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);
}

void setIndex(QComboBox* list, int index) {
  if (index >= 0 && index < list->count() && list->currentIndex() != index)
    list->setCurrentIndex(index);
}

void setBar(QScrollBar* bar, int value) {
  if (value >= bar->minimum() && value <= bar->maximum() && bar->value() != value)
    bar->setValue(value);
}

void setCheck(QCheckBox* box, int value) {
  if (frmSetting::checkValue(box) != value) frmSetting::setCheckValue(box, value);
}

}  // namespace

void fillStyleSetList(QComboBox* list, const QString& root) {
  const QSignalBlocker quiet(list);
  list->clear();
  list->addItem(kResetEntry);
  list->addItems(ListStyleSets(root));
  list->setCurrentIndex(-1);
}

StyleSetValues styleSetValuesOf(const frmSetting& d) {
  StyleSetValues v;
  v.EditColors = d.EditColors;
  for (std::size_t i = 0; i < 4; ++i) v.cmbBold[i] = d.cmbBold[i]->currentIndex();
  for (std::size_t i = 0; i < 3; ++i) {
    v.txtLong[i] = d.txtLong[i]->text();
    v.vscLong[i] = d.vscLong[i]->value();
  }
  for (std::size_t i = 0; i < 2; ++i) v.txtForm[i] = d.txtForm[i]->text();
  v.chkDC = frmSetting::checkValue(d.chkDC);
  v.txtAlign = d.txtAlign->text();
  v.vscAlign = d.vscAlign->value();
  v.txtDF = d.txtDF->text();
  v.cmbFonts = d.cmbFonts->currentText();
  v.txtFS = d.txtFS->text();
  v.vscFS = d.vscFS->value();
  for (std::size_t i = 0; i < 2; ++i) v.chkFont[i] = frmSetting::checkValue(d.chkFont[i]);
  v.cmbDrawMode = d.cmbDrawMode->currentIndex();
  v.chkMemori = frmSetting::checkValue(d.chkMemori);
  v.chkSV = frmSetting::checkValue(d.chkSV);
  v.chkNhari = frmSetting::checkValue(d.chkNhari);
  return v;
}

void applyStyleSetValues(frmSetting& d, const StyleSetValues& v) {
  for (std::size_t i = 0; i < 6; ++i) {
    if (d.EditColors[i] == v.EditColors[i]) continue;
    d.EditColors[i] = v.EditColors[i];
    const ColorTriplet& c = v.EditColors[i];
    d.cmdHari[i]->setBackColor(RGB(c.red, c.green, c.blue));
    // A new colour is a change of the dialog, as when the colour chooser sets one.
    d.AcEnabled();
  }
  for (std::size_t i = 0; i < 4; ++i) setIndex(d.cmbBold[i], v.cmbBold[i]);
  for (std::size_t i = 0; i < 3; ++i) {
    setText(d.txtLong[i], v.txtLong[i]);
    setBar(d.vscLong[i], v.vscLong[i]);
  }
  for (std::size_t i = 0; i < 2; ++i) setText(d.txtForm[i], v.txtForm[i]);
  setCheck(d.chkDC, v.chkDC);
  setText(d.txtAlign, v.txtAlign);
  setBar(d.vscAlign, v.vscAlign);
  setText(d.txtDF, v.txtDF);
  if (d.cmbFonts->currentText() != v.cmbFonts) d.cmbFonts->setEditText(v.cmbFonts);
  setText(d.txtFS, v.txtFS);
  setBar(d.vscFS, v.vscFS);
  setCheck(d.chkFont[0], v.chkFont[0]);
  setCheck(d.chkFont[1], v.chkFont[1]);
  setIndex(d.cmbDrawMode, v.cmbDrawMode);
  setCheck(d.chkMemori, v.chkMemori);
  setCheck(d.chkSV, v.chkSV);
  setCheck(d.chkNhari, v.chkNhari);
}

}  // namespace kwemo
