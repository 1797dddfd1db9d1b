#pragma once

#include <QDialog>
#include <functional>

#include "settings/frmColorDesign.h"

namespace kwemo {

// The colour chooser: one colour mixed from red, green and blue with three scroll bars and shown
// in a swatch. It takes its colour from ColorExchange when it loads and answers there: the
// chosen colour and cancelled = false after OK, cancelled = true (colour untouched) after Cancel.
// The caller sets the caption and shows it modally.
class frmColor : public QDialog {
  Q_OBJECT

 public:
  // placeOnLoad runs once while the window loads, before the bars are set: the caller's chance
  // to fix the window's place in the stacking order.
  explicit frmColor(QWidget* parent = nullptr,
                    const std::function<void(frmColor*)>& placeOnLoad = {});

  // Refreshes the value labels and the swatch from the three bars.
  void CreateColor();

 public slots:
  void cmdOK_Click();
  void cmdCancel_Click();
  // Esc and the window's close box count as Cancel.
  void reject() override;

 private:
  void Form_Load(const std::function<void(frmColor*)>& placeOnLoad);

  frmColorDesign ui_;
};

}  // namespace kwemo
