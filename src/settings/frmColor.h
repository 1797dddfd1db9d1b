#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QScrollBar;

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

  // The controls, by their historical names (also their object names).
  QWidget& Picture1() const { return *Picture1_; }
  QScrollBar& hscR() const { return *hscR_; }
  QScrollBar& hscG() const { return *hscG_; }
  QScrollBar& hscB() const { return *hscB_; }
  QLabel& lblR() const { return *lblR_; }
  QLabel& lblG() const { return *lblG_; }
  QLabel& lblB() const { return *lblB_; }
  QPushButton& cmdOK() const { return *cmdOK_; }
  QPushButton& cmdCancel() const { return *cmdCancel_; }

 public slots:
  void cmdOK_Click();
  void cmdCancel_Click();
  // Esc and the window's close box count as Cancel.
  void reject() override;

 private:
  void Form_Load(const std::function<void(frmColor*)>& placeOnLoad);

  QWidget* Picture1_ = nullptr;  // the swatch
  std::array<QLabel*, 3> lblC_{};
  QScrollBar* hscR_ = nullptr;
  QScrollBar* hscG_ = nullptr;
  QScrollBar* hscB_ = nullptr;
  QLabel* lblR_ = nullptr;
  QLabel* lblG_ = nullptr;
  QLabel* lblB_ = nullptr;
  QPushButton* cmdOK_ = nullptr;
  QPushButton* cmdCancel_ = nullptr;
};

}  // namespace kwemo
