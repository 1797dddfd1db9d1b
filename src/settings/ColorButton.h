#pragma once

#include <QPushButton>

#include "oldruntime/Rgb.h"

namespace kwemo {

// A button without caption that shows a colour over its face: the colour buttons of the
// settings dialog, whose background colour is the value they hold.
class ColorButton : public QPushButton {
  Q_OBJECT

 public:
  explicit ColorButton(QWidget* parent = nullptr);

  Rgb BackColor() const { return backColor_; }
  void setBackColor(Rgb color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Rgb backColor_ = 0xC0C0C0;
};

}  // namespace kwemo
