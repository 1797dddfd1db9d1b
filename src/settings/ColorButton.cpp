#include "settings/ColorButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "oldruntime/RgbColor.h"

namespace kwemo {

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent) { setAutoDefault(false); }

void ColorButton::setBackColor(Rgb color) {
  color &= 0xFFFFFF;
  if (color == backColor_) return;
  backColor_ = color;
  update();
}

void ColorButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton opt;
  initStyleOption(&opt);
  p.drawControl(QStyle::CE_PushButtonBevel, opt);
  const QRect face = rect().adjusted(3, 3, -3, -3);
  p.fillRect(face, toQColor(backColor_));
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = face.adjusted(1, 1, -1, -1);
    p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace kwemo
