#include "settings/frmColorDesign.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "desktop/ControlName.h"

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

void frmColorDesign::setupUi(QDialog* form) {
  form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint |
                       Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  form->setFixedSize(255, 68);
  form->move(522, 143);

  // The swatch is a plain filled area; it never draws anything but its colour.
  Picture1 = new QWidget(form);
  Picture1->setGeometry(0, 0, 57, 68);
  Picture1->setAutoFillBackground(true);
  buildBars(form);

  cmdOK = new QPushButton(QStringLiteral("OK"), form);
  cmdOK->setGeometry(120, 50, 64, 17);
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("Cancel"), form);
  cmdCancel->setGeometry(188, 50, 64, 17);

  QDialog::setTabOrder(hscR, hscG);
  QDialog::setTabOrder(hscG, hscB);
  QDialog::setTabOrder(hscB, cmdOK);
  QDialog::setTabOrder(cmdOK, cmdCancel);
  nameControls();
}

// The three rows: a coloured letter, the bar and the value it stands at.
void frmColorDesign::buildBars(QDialog* form) {
  const char* names[3] = {"R", "G", "B"};
  const QColor backs[3] = {Qt::red, Qt::green, Qt::blue};
  QFont black(QStringLiteral("Arial Black"));
  black.setPointSizeF(9.75);
  black.setWeight(QFont::Black);
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(QString::fromLatin1(names[i]), form);
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

  hscR = makeBar(form, 0);
  hscG = makeBar(form, 16);
  hscB = makeBar(form, 32);
  lblR = makeValueLabel(form, 2);
  lblG = makeValueLabel(form, 18);
  lblB = makeValueLabel(form, 34);
  // The widest value must show whole: with a larger font the window grows to fit "255".
  lblR->setText(QStringLiteral("255"));
  lblR->adjustSize();
  form->setFixedSize(std::max(form->width(), lblR->geometry().right() + 1), form->height());
}

void frmColorDesign::nameControls() {
  for (const auto& [control, name] :
       std::initializer_list<std::pair<QObject*, const char*>>{{Picture1, "Picture1"},
                                                               {hscR, "hscR"},
                                                               {hscG, "hscG"},
                                                               {hscB, "hscB"},
                                                               {lblR, "lblR"},
                                                               {lblG, "lblG"},
                                                               {lblB, "lblB"},
                                                               {cmdOK, "cmdOK"},
                                                               {cmdCancel, "cmdCancel"}})
    nameControl(control, name);
  for (int i = 0; i < 3; ++i) nameControl(lblC[static_cast<std::size_t>(i)], "lblC", i);
}

}  // namespace kwemo
