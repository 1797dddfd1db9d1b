#include "desktop/Prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace kwemo {

namespace {

Prompts* g_installed = nullptr;

QMessageBox::StandardButtons toQt(Buttons b) {
  switch (b) {
    case Buttons::Ok:
      return QMessageBox::Ok;
    case Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon toQt(Icon i) {
  switch (i) {
    case Icon::None:
      return QMessageBox::NoIcon;
    case Icon::Information:
      return QMessageBox::Information;
    case Icon::Question:
      return QMessageBox::Question;
    case Icon::Warning:
      return QMessageBox::Warning;
    case Icon::Critical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Answer QtPrompts::MsgBox(QWidget* parent, const QString& text, Buttons buttons, Icon icon,
                         const QString& title) {
  QMessageBox box(toQt(icon), title, text, toQt(buttons), parent);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Ok:
      return Answer::Ok;
    default:
      break;
  }
  // Closing the box with Esc or the window manager is the box's cancel choice.
  if (buttons == Buttons::YesNo) return Answer::No;
  if (buttons == Buttons::Ok) return Answer::Ok;
  return Answer::Cancel;
}

QString QtPrompts::InputBox(QWidget* parent, const QString& prompt, const QString& title,
                            const QString& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

QString QtPrompts::GetOpenFileName(QWidget* parent, const FileChoice& choice) {
  const QString filters = choice.filters.join(QStringLiteral(";;"));
  QString selected = choice.filters.value(choice.selectedFilter);
  // QFileDialog::getOpenFileName only returns files that exist.
  return QFileDialog::getOpenFileName(parent, choice.title, choice.startDir, filters, &selected);
}

void ScriptedPrompts::clear() {
  answers_.clear();
  inputs_.clear();
  files_.clear();
  asked_.clear();
  unexpected_ = 0;
}

Answer ScriptedPrompts::MsgBox(QWidget*, const QString& text, Buttons buttons, Icon icon,
                               const QString& title) {
  asked_.push_back({Asked::Message, text, title, buttons, icon, {}});
  if (answers_.empty()) {
    ++unexpected_;
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
  const Answer a = answers_.front();
  answers_.pop_front();
  return a;
}

QString ScriptedPrompts::InputBox(QWidget*, const QString& prompt, const QString& title,
                                  const QString&) {
  asked_.push_back({Asked::Input, prompt, title, Buttons::OkCancel, Icon::None, {}});
  if (inputs_.empty()) {
    ++unexpected_;
    return {};
  }
  QString t = inputs_.front();
  inputs_.pop_front();
  return t;
}

QString ScriptedPrompts::GetOpenFileName(QWidget*, const FileChoice& choice) {
  asked_.push_back(
      {Asked::File, choice.title, choice.title, Buttons::OkCancel, Icon::None, choice});
  if (files_.empty()) {
    ++unexpected_;
    return {};
  }
  QString p = files_.front();
  files_.pop_front();
  return p;
}

Prompts& prompts() {
  static QtPrompts real;
  return g_installed ? *g_installed : real;
}

void setPrompts(Prompts* p) { g_installed = p; }

}  // namespace kwemo
